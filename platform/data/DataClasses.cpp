// Makes the data-access classes known by name, for form descriptions and look-ups.
#include "platform/data/ADODB.h"
#include "platform/data/DBClient.h"
#include "platform/data/DBTables.h"
#include "platform/data/DataSource.h"
#include "platform/data/IBX.h"
#include "platform/data/SqlExpr.h"

void RegisterDataClasses() {
  static const bool done = [] {
    RegisterClasses({TStringField::StaticClass(),    TWideStringField::StaticClass(),  TSmallintField::StaticClass(),
                     TIntegerField::StaticClass(),   TWordField::StaticClass(),        TAutoIncField::StaticClass(),
                     TLargeintField::StaticClass(),  TBooleanField::StaticClass(),     TFloatField::StaticClass(),
                     TCurrencyField::StaticClass(),  TBCDField::StaticClass(),         TFMTBCDField::StaticClass(),
                     TDateField::StaticClass(),      TTimeField::StaticClass(),        TDateTimeField::StaticClass(),
                     TSQLTimeStampField::StaticClass(), TBytesField::StaticClass(),    TVarBytesField::StaticClass(),
                     TBlobField::StaticClass(),      TMemoField::StaticClass(),        TWideMemoField::StaticClass(),
                     TGraphicField::StaticClass(),   TAggregateField::StaticClass(),   TDataSource::StaticClass(),
                     TClientDataSet::StaticClass(),  TDataSetProvider::StaticClass(),  TADOConnection::StaticClass(),
                     TADOTable::StaticClass(),       TADOQuery::StaticClass(),         TADODataSet::StaticClass(),
                     TDatabase::StaticClass(),       TTable::StaticClass(),            TQuery::StaticClass(),
                     TSQLConnection::StaticClass(),  TSQLQuery::StaticClass(),         TSQLDataSet::StaticClass(),
                     TIBDatabase::StaticClass(),     TIBQuery::StaticClass(),          TIBDataSet::StaticClass()});
    return true;
  }();
  (void)done;
}
