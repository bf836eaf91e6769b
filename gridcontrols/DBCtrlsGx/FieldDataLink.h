#pragma once
// The link between a data-aware edit and one field of a dataset, which also works without
// any dataset (the edit then keeps a value of its own), and the settings of the image an
// edit may show at its left.
#include <string>
#include <vector>

#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/graphics/ImageList.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/Variant.h"

class TControl;
class TWinControl;

// Whether a control showing Field reads from the right: a right-to-left control in a
// right-to-left locale mirrors the field's own alignment.
bool FieldUsesRightToLeftAlignment(const TControl* Control, const TField* Field);

class TFieldDataLinkGx : public TDataLink {
public:
  TFieldDataLinkGx();

  // Starts editing: the own value when independent, else the dataset (only when the field
  // can be modified). True when the link is editing afterwards.
  bool StartEdit();
  bool IsActive() const;
  bool CanModifyField() const;
  void MarkModified() { FLinkModified = true; }
  // Puts Text into the own value or the field.
  void AssignText(const std::string& Text);
  // Tells the control to reload its text.
  void ResetLink() { RecordChanged(nullptr); }

  void SetLinkDataSource(TDataSource* Value);
  const std::string& FieldName() const { return FLinkFieldName; }
  void SetFieldName(const std::string& Value);
  TField* FirstField() const { return FLinkFields.empty() ? nullptr : FLinkFields.front(); }
  bool ContainsField(TField* Field) const;
  const std::vector<TField*>& LinkFields() const { return FLinkFields; }

  TComponent* LinkControl() const { return FLinkControl; }
  void SetLinkControl(TComponent* Value) { FLinkControl = Value; }
  bool MultipleFields() const { return FMultipleFields; }
  void SetMultipleFields(bool Value) { FMultipleFields = Value; }
  bool Independent() const { return FIndependent; }
  bool LinkEditing() const { return FLinkEditing; }
  bool LinkModified() const { return FLinkModified; }
  const Variant& IndependentValue() const { return FIndependentValue; }

  TNotifyEvent OnLinkDataChange, OnLinkEditingChange, OnLinkUpdateData, OnLinkActiveChange;

protected:
  void ActiveChanged() override;
  void EditingChanged() override;
  void FocusControl(TField** Field) override;
  void LayoutChanged() override;
  void RecordChanged(TField* Field) override;
  void UpdateData() override;

private:
  void UpdateIndependence();
  void RefreshFields();
  void StoreFields(const std::vector<TField*>& List);
  void SetLinkEditing(bool Value);
  void SyncRightToLeft();
  static void Fire(const TNotifyEvent& Event, TObject* Sender) {
    if (Event) Event(Sender);
  }

  std::vector<TField*> FLinkFields;
  std::string FLinkFieldName;
  TComponent* FLinkControl = nullptr;
  bool FMultipleFields = false;
  bool FIndependent = true;
  bool FLinkEditing = false;
  bool FLinkModified = false;
  Variant FIndependentValue;
};

// The image at the left of a data-aware edit. Every change of layout is sent to the edit
// as WM_IMAGELAYOUT_GX; a new image index only repaints it.
class TEditImageGx : public TPersistent {
  VANTREL_CLASS(TEditImageGx, TPersistent)
public:
  explicit TEditImageGx(TWinControl* EditControl);
  static void Publish(TClassBuilder<TEditImageGx>& b);
  // Copies the images, index, visibility and width; the height rule stays the target's.
  void Assign(TPersistent* Source) override;

  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool UseImageHeight() const { return FUseImageHeight; }
  void SetUseImageHeight(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  int Width() const { return FWidth; }
  void SetWidth(int Value);
  TWinControl* EditControl() const { return FEditControl; }

protected:
  TPersistent* GetOwner() override;

private:
  void LayoutChanged();

  TWinControl* FEditControl;
  int FImageIndex = 0;
  TCustomImageList* FImages = nullptr;
  bool FUseImageHeight = true;
  bool FVisible = false;
  int FWidth = 0;
};
