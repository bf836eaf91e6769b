#pragma once
// TField: one column of a dataset as the record buffer window shows it, and the
// field classes of every data type.
#include <string>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/rtl/Component.h"
#include "platform/rtl/Variant.h"

class TDataSet;
class TField;

using TFieldGetTextEvent = TEvent<void(TField* Sender, std::string& Text, bool DisplayText)>;
using TFieldSetTextEvent = TEvent<void(TField* Sender, const std::string& Text)>;
using TFieldNotifyEvent = TEvent<void(TField* Sender)>;

class TField : public TComponent {
  VANTREL_CLASS(TField, TComponent)
public:
  explicit TField(TComponent* AOwner);
  ~TField() override;
  static void Publish(TClassBuilder<TField>& b);

  // Identity and layout.
  const std::string& FieldName() const { return FFieldName; }
  void SetFieldName(const std::string& v);
  // The name with parent fields ("Parent.Child"); the field name for flat fields.
  const std::string& FullName() const { return FFieldName; }
  TDataSet* DataSet() const { return FDataSet; }
  void SetDataSet(TDataSet* v);
  int FieldNo() const { return FFieldNo; }
  int Index() const;
  void SetIndex(int v);
  TFieldType DataType() const { return FDataType; }
  TFieldKind FieldKind() const { return FFieldKind; }
  void SetFieldKind(TFieldKind v);
  bool Calculated() const { return FFieldKind == fkCalculated; }
  int Size() const { return FSize; }
  void SetSize(int v);
  virtual bool IsBlob() const { return false; }

  // Presentation.
  std::string DisplayLabel() const { return FDisplayLabel.empty() ? FFieldName : FDisplayLabel; }
  void SetDisplayLabel(const std::string& v);
  std::string DisplayName() const { return DisplayLabel(); }
  int DisplayWidth() const;
  void SetDisplayWidth(int v);
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  bool Visible() const { return FVisible; }
  void SetVisible(bool v);
  // Where the value comes from in the database ("Table.Column"), as the engine or the
  // form gives it; empty when not known.
  const std::string& Origin() const { return FOrigin; }
  void SetOrigin(const std::string& v) { FOrigin = v; }
  const std::string& EditMask() const { return FEditMask; }
  void SetEditMask(const std::string& v) { FEditMask = v; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool Required() const { return FRequired; }
  void SetRequired(bool v) { FRequired = v; }
  virtual bool CanModify() const;
  // Asks the controls showing this field to take the focus.
  void FocusControl();
  // Whether a typed character can be part of this field's text.
  virtual bool IsValidChar(char32_t c) const;

  // Lookup definition.
  const std::string& KeyFields() const { return FKeyFields; }
  void SetKeyFields(const std::string& v);
  TDataSet* LookupDataSet() const { return FLookupDataSet; }
  void SetLookupDataSet(TDataSet* v);
  const std::string& LookupKeyFields() const { return FLookupKeyFields; }
  void SetLookupKeyFields(const std::string& v);
  const std::string& LookupResultField() const { return FLookupResultField; }
  void SetLookupResultField(const std::string& v);
  bool Lookup() const { return FFieldKind == fkLookup; }
  void SetLookup(bool v) { SetFieldKind(v ? fkLookup : fkData); }

  // Values of the dataset's current record.
  bool IsNull() const;
  void Clear() { SetAsVariant(Null()); }
  Variant Value() const { return GetAsVariant(); }
  void SetValue(const Variant& v) { SetAsVariant(v); }
  Variant AsVariant() const { return GetAsVariant(); }
  void SetAsVariantValue(const Variant& v) { SetAsVariant(v); }
  std::string AsString() const { return GetAsString(); }
  void SetAsString(const std::string& v) { AssignString(v); }
  std::int32_t AsInteger() const { return GetAsInteger(); }
  void SetAsInteger(std::int32_t v) { SetAsVariant(Variant(v)); }
  std::int64_t AsLargeInt() const { return GetAsInt64(); }
  void SetAsLargeInt(std::int64_t v) { SetAsVariant(Variant(static_cast<long long>(v))); }
  double AsFloat() const { return GetAsFloat(); }
  void SetAsFloat(double v) { SetAsVariant(Variant(v)); }
  Currency AsCurrency() const { return GetAsCurrency(); }
  void SetAsCurrency(Currency v) { SetAsVariant(Variant(v)); }
  bool AsBoolean() const { return GetAsBoolean(); }
  void SetAsBoolean(bool v) { SetAsVariant(Variant(v)); }
  TDateTime AsDateTime() const { return GetAsDateTime(); }
  void SetAsDateTime(TDateTime v) { SetAsVariant(Variant::FromDateTime(v)); }
  // The value before the current edit began (the stored value while browsing).
  Variant OldValue() const;

  // Edit text (writable: an empty text clears the field) and display text.
  std::string Text() const;
  void SetText(const std::string& v);
  std::string DisplayText() const;

  TFieldGetTextEvent OnGetText() const { return FOnGetText; }
  void SetOnGetText(const TFieldGetTextEvent& e) { FOnGetText = e; }
  TFieldSetTextEvent OnSetText() const { return FOnSetText; }
  void SetOnSetText(const TFieldSetTextEvent& e) { FOnSetText = e; }
  TFieldNotifyEvent OnValidate() const { return FOnValidate; }
  void SetOnValidate(const TFieldNotifyEvent& e) { FOnValidate = e; }
  TFieldNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(const TFieldNotifyEvent& e) { FOnChange = e; }

  // Called by the dataset.
  void SetFieldNoInternal(int n) { FFieldNo = n; }
  void SetDataTypeInternal(TFieldType t) { FDataType = t; }
  int Slot() const { return FSlot; }
  void SetSlot(int s) { FSlot = s; }
  // The stored value of the current buffer, without conversion (inline, with the dataset).
  inline const Variant& RawValue() const;
  // Stores a value already converted, raising OnValidate/OnChange and notifying the dataset.
  void StoreValue(const Variant& v);
  // Converts a value to what this field stores; raises the field's conversion error.
  virtual Variant ConvertValue(const Variant& v) const;

protected:
  virtual Variant GetAsVariant() const;
  virtual void SetAsVariant(const Variant& v);
  virtual std::string GetAsString() const;
  virtual void AssignString(const std::string& v);
  virtual std::int32_t GetAsInteger() const;
  virtual std::int64_t GetAsInt64() const;
  virtual double GetAsFloat() const;
  virtual Currency GetAsCurrency() const;
  virtual bool GetAsBoolean() const;
  virtual TDateTime GetAsDateTime() const;
  // Text of the class itself (DisplayText or edit text), without OnGetText.
  virtual std::string GetClassText(bool displayText) const;
  virtual void SetClassText(const std::string& v);
  virtual int DefaultWidth() const { return FSize > 0 ? FSize : 10; }
  // The dataset changed field layout: refresh views.
  void PropertyChanged(bool layoutAffected);
  [[noreturn]] void AccessError(const char* typeName) const;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetParentComponent(TComponent* AParent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  TFieldType FDataType = ftUnknown;
  int FSize = 0;
  TAlignment FAlignment = taLeftJustify;

private:
  friend class TDataSet;
  // What a field without a value reads: Null.
  static const Variant& NullValue();
  TDataSet* FDataSet = nullptr;
  std::string FFieldName;
  int FFieldNo = 0;
  int FSlot = -1;
  TFieldKind FFieldKind = fkData;
  std::string FDisplayLabel;
  int FDisplayWidth = 0;
  bool FVisible = true;
  bool FReadOnly = false;
  bool FRequired = false;
  std::string FEditMask;
  std::string FOrigin;
  std::string FKeyFields, FLookupKeyFields, FLookupResultField;
  TDataSet* FLookupDataSet = nullptr;
  TFieldGetTextEvent FOnGetText;
  TFieldSetTextEvent FOnSetText;
  TFieldNotifyEvent FOnValidate, FOnChange;
};

using TFieldClass = TClass;

class TStringField : public TField {
  VANTREL_CLASS(TStringField, TField)
public:
  explicit TStringField(TComponent* AOwner);
  static void Publish(TClassBuilder<TStringField>&) {}
  bool FixedChar() const { return FDataType == ftFixedChar || FDataType == ftFixedWideChar; }
  void SetFixedChar(bool v);
  Variant ConvertValue(const Variant& v) const override;
};

class TWideStringField : public TStringField {
  VANTREL_CLASS(TWideStringField, TStringField)
public:
  explicit TWideStringField(TComponent* AOwner);
  static void Publish(TClassBuilder<TWideStringField>&) {}
};

class TNumericField : public TField {
  VANTREL_CLASS(TNumericField, TField)
public:
  explicit TNumericField(TComponent* AOwner);
  static void Publish(TClassBuilder<TNumericField>& b);
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& v);
  const std::string& EditFormat() const { return FEditFormat; }
  void SetEditFormat(const std::string& v);
  bool IsValidChar(char32_t c) const override;

protected:
  std::string FDisplayFormat, FEditFormat;
};

class TIntegerField : public TNumericField {
  VANTREL_CLASS(TIntegerField, TNumericField)
public:
  explicit TIntegerField(TComponent* AOwner);
  static void Publish(TClassBuilder<TIntegerField>&) {}
  Variant ConvertValue(const Variant& v) const override;
  std::int64_t MinValue() const { return FMinValue; }
  std::int64_t MaxValue() const { return FMaxValue; }

protected:
  std::string GetClassText(bool displayText) const override;
  std::int64_t FMinValue = INT32_MIN, FMaxValue = INT32_MAX;
};

class TSmallintField : public TIntegerField {
  VANTREL_CLASS(TSmallintField, TIntegerField)
public:
  explicit TSmallintField(TComponent* AOwner);
  static void Publish(TClassBuilder<TSmallintField>&) {}
};

class TWordField : public TIntegerField {
  VANTREL_CLASS(TWordField, TIntegerField)
public:
  explicit TWordField(TComponent* AOwner);
  static void Publish(TClassBuilder<TWordField>&) {}
};

class TAutoIncField : public TIntegerField {
  VANTREL_CLASS(TAutoIncField, TIntegerField)
public:
  explicit TAutoIncField(TComponent* AOwner);
  static void Publish(TClassBuilder<TAutoIncField>&) {}
};

class TLargeintField : public TNumericField {
  VANTREL_CLASS(TLargeintField, TNumericField)
public:
  explicit TLargeintField(TComponent* AOwner);
  static void Publish(TClassBuilder<TLargeintField>&) {}
  Variant ConvertValue(const Variant& v) const override;

protected:
  std::string GetClassText(bool displayText) const override;
};

class TFloatField : public TNumericField {
  VANTREL_CLASS(TFloatField, TNumericField)
public:
  explicit TFloatField(TComponent* AOwner);
  static void Publish(TClassBuilder<TFloatField>& b);
  bool Currency() const { return FCurrency; }
  void SetCurrency(bool v);
  int Precision() const { return FPrecision; }
  void SetPrecision(int v);
  Variant ConvertValue(const Variant& v) const override;

protected:
  std::string GetClassText(bool displayText) const override;
  bool FCurrency = false;
  int FPrecision = 15;
};

class TCurrencyField : public TFloatField {
  VANTREL_CLASS(TCurrencyField, TFloatField)
public:
  explicit TCurrencyField(TComponent* AOwner);
  static void Publish(TClassBuilder<TCurrencyField>&) {}
};

class TBCDField : public TNumericField {
  VANTREL_CLASS(TBCDField, TNumericField)
public:
  explicit TBCDField(TComponent* AOwner);
  static void Publish(TClassBuilder<TBCDField>& b);
  bool Currency() const { return FCurrency; }
  void SetCurrency(bool v);
  int Precision() const { return FPrecision; }
  void SetPrecision(int v) { FPrecision = v; }
  Variant ConvertValue(const Variant& v) const override;

protected:
  std::string GetClassText(bool displayText) const override;
  bool FCurrency = false;
  int FPrecision = 0;
};

class TFMTBCDField : public TBCDField {
  VANTREL_CLASS(TFMTBCDField, TBCDField)
public:
  explicit TFMTBCDField(TComponent* AOwner);
  static void Publish(TClassBuilder<TFMTBCDField>&) {}
};

class TBooleanField : public TField {
  VANTREL_CLASS(TBooleanField, TField)
public:
  explicit TBooleanField(TComponent* AOwner);
  static void Publish(TClassBuilder<TBooleanField>& b);
  // "True;False": the texts of true and false.
  const std::string& DisplayValues() const { return FDisplayValues; }
  void SetDisplayValues(const std::string& v);
  Variant ConvertValue(const Variant& v) const override;

protected:
  std::string GetAsString() const override;
  void AssignString(const std::string& v) override;
  std::string GetClassText(bool displayText) const override;

private:
  std::string FDisplayValues = "True;False";
  std::string FTrueText = "True", FFalseText = "False";
};

class TDateTimeField : public TField {
  VANTREL_CLASS(TDateTimeField, TField)
public:
  explicit TDateTimeField(TComponent* AOwner);
  static void Publish(TClassBuilder<TDateTimeField>& b);
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& v);
  Variant ConvertValue(const Variant& v) const override;

protected:
  std::string GetClassText(bool displayText) const override;
  void AssignString(const std::string& v) override;
  std::string FDisplayFormat;
};

class TSQLTimeStampField : public TDateTimeField {
  VANTREL_CLASS(TSQLTimeStampField, TDateTimeField)
public:
  explicit TSQLTimeStampField(TComponent* AOwner);
  static void Publish(TClassBuilder<TSQLTimeStampField>&) {}
};

class TDateField : public TDateTimeField {
  VANTREL_CLASS(TDateField, TDateTimeField)
public:
  explicit TDateField(TComponent* AOwner);
  static void Publish(TClassBuilder<TDateField>&) {}
};

class TTimeField : public TDateTimeField {
  VANTREL_CLASS(TTimeField, TDateTimeField)
public:
  explicit TTimeField(TComponent* AOwner);
  static void Publish(TClassBuilder<TTimeField>&) {}
};

class TBinaryField : public TField {
  VANTREL_CLASS(TBinaryField, TField)
public:
  explicit TBinaryField(TComponent* AOwner);
  static void Publish(TClassBuilder<TBinaryField>&) {}
  Variant ConvertValue(const Variant& v) const override;
};

class TBytesField : public TBinaryField {
  VANTREL_CLASS(TBytesField, TBinaryField)
public:
  explicit TBytesField(TComponent* AOwner);
  static void Publish(TClassBuilder<TBytesField>&) {}
};

class TVarBytesField : public TBytesField {
  VANTREL_CLASS(TVarBytesField, TBytesField)
public:
  explicit TVarBytesField(TComponent* AOwner);
  static void Publish(TClassBuilder<TVarBytesField>&) {}
};

class TBlobField : public TField {
  VANTREL_CLASS(TBlobField, TField)
public:
  explicit TBlobField(TComponent* AOwner);
  static void Publish(TClassBuilder<TBlobField>& b);
  bool IsBlob() const override { return true; }
  TFieldType BlobType() const { return FDataType; }
  void SetBlobType(TFieldType v);
  Variant ConvertValue(const Variant& v) const override;

protected:
  std::string GetClassText(bool displayText) const override;
  // The word shown instead of the contents: "Blob", "Memo", "Graphic".
  virtual const char* BlobWord() const { return "Blob"; }
};

class TMemoField : public TBlobField {
  VANTREL_CLASS(TMemoField, TBlobField)
public:
  explicit TMemoField(TComponent* AOwner);
  static void Publish(TClassBuilder<TMemoField>&) {}

protected:
  const char* BlobWord() const override { return "Memo"; }
};

class TWideMemoField : public TMemoField {
  VANTREL_CLASS(TWideMemoField, TMemoField)
public:
  explicit TWideMemoField(TComponent* AOwner);
  static void Publish(TClassBuilder<TWideMemoField>&) {}
};

class TGraphicField : public TBlobField {
  VANTREL_CLASS(TGraphicField, TBlobField)
public:
  explicit TGraphicField(TComponent* AOwner);
  static void Publish(TClassBuilder<TGraphicField>&) {}

protected:
  const char* BlobWord() const override { return "Graphic"; }
};

class TAggregateField : public TField {
  VANTREL_CLASS(TAggregateField, TField)
public:
  explicit TAggregateField(TComponent* AOwner);
  static void Publish(TClassBuilder<TAggregateField>& b);
  const std::string& Expression() const { return FExpression; }
  void SetExpression(const std::string& v) { FExpression = v; }
  bool Active() const { return FActive; }
  void SetActive(bool v) { FActive = v; }
  const std::string& DisplayFormat() const { return FDisplayFormat; }
  void SetDisplayFormat(const std::string& v) { FDisplayFormat = v; }
  // The data type of the aggregate's value (ftUnknown until the dataset knows it).
  TFieldType ResultType() const { return FResultType; }
  void SetResultType(TFieldType v) { FResultType = v; }
  // Values are kept as the result type makes them (as text while it is unknown).
  Variant ConvertValue(const Variant& v) const override;

private:
  std::string FExpression, FDisplayFormat;
  bool FActive = false;
  TFieldType FResultType = ftUnknown;
};

// The field class made for a data type by default (nullptr for types without one).
TClass DefaultFieldClass(TFieldType type);

// The fields of a dataset, in their order.
class TFields {
public:
  explicit TFields(TDataSet* DataSet) : FDataSet(DataSet) {}
  int Count() const { return static_cast<int>(FList.size()); }
  TField* operator[](int i) const { return Fields(i); }
  // EListError "List index out of bounds (%d)" for a bad index.
  TField* Fields(int i) const;
  TField* FindField(const std::string& name) const;
  // "<dataset>: Field 'X' not found" as EDatabaseError.
  TField* FieldByName(const std::string& name) const;
  int IndexOf(const TField* f) const;
  TDataSet* DataSet() const { return FDataSet; }

  void Add(TField* f);
  void Remove(TField* f);
  void Move(int from, int to);
  void Clear() { FList.clear(); }
  const std::vector<TField*>& List() const { return FList; }

private:
  TDataSet* FDataSet;
  std::vector<TField*> FList;
};
