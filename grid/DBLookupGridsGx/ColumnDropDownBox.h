#pragma once
// The settings of a column's drop-down lookup list: most of them are the column's popup
// grid's own, reached through the column (IDropDownBoxOwnerGx).
#include "grid/DBLookupGridsGx/LookupOptions.h"
#include "platform/rtl/Classes.h"

class TComponent;
class TDataSource;
class TDBGridColumnsGx;
class TColumnDefValuesGx;
class TPopupDataGridGx;

// Implemented by the column that owns a drop-down box.
class IDropDownBoxOwnerGx {
public:
  // Hears when Component is freed.
  virtual void WatchComponent(TComponent* Component) = 0;
  // The popup grid, made on first use.
  virtual TPopupDataGridGx* GetPopupGrid() = 0;
  virtual TDBLookupGridGxOptions GetPopupOptions() = 0;
  virtual void SetPopupOptions(TDBLookupGridGxOptions Options) = 0;
  // The popup grid when it was made already; never makes it.
  virtual TPopupDataGridGx* PopupGridIfMade() const = 0;

protected:
  ~IDropDownBoxOwnerGx() = default;
};

class TColumnDropDownBoxGx : public TPersistent {
  VANTREL_CLASS(TColumnDropDownBoxGx, TPersistent)
public:
  explicit TColumnDropDownBoxGx(TPersistent* Owner) : FOwner(Owner) {}
  static void Publish(TClassBuilder<TColumnDropDownBoxGx>& b);
  void Assign(TPersistent* Source) override;
  TPersistent* GetOwner() override { return FOwner; }

  bool AutoFitColWidths() const { return FAutoFitColWidths; }
  void SetAutoFitColWidths(bool Value) { FAutoFitColWidths = Value; }
  bool UseMultiTitle() const { return FUseMultiTitle; }
  void SetUseMultiTitle(bool Value) { FUseMultiTitle = Value; }
  TDataSource* ListSource() const { return FListSource; }
  void SetListSource(TDataSource* Value);
  // The list source was freed.
  void ForgetListSource() { FListSource = nullptr; }
  // The popup grid's columns, column defaults and options (nil or empty without an owner
  // that has a popup grid).
  TDBGridColumnsGx* Columns();
  void SetColumns(TDBGridColumnsGx* Value);
  TColumnDefValuesGx* ColumnDefValues();
  void SetColumnDefValues(TColumnDefValuesGx* Value);
  TDBLookupGridGxOptions Options();
  void SetOptions(TDBLookupGridGxOptions Value);
  // The popup grid's columns are customised (a popup grid not made yet has none).
  bool IsColumnsStored();

private:
  IDropDownBoxOwnerGx* BoxOwner() const { return dynamic_cast<IDropDownBoxOwnerGx*>(FOwner); }
  bool PopupMade() const { return BoxOwner() && BoxOwner()->PopupGridIfMade(); }
  bool IsOptionsStored();

  TPersistent* FOwner;
  bool FAutoFitColWidths = true;
  bool FUseMultiTitle = false;
  TDataSource* FListSource = nullptr;
};
