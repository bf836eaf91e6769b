#pragma once
// The most-recently-used texts of one edit or grid column: the texts, oldest first, how
// many to keep and show, and the events through which the owner opens and closes the list.
#include <memory>
#include <string>

#include "platform/rtl/Classes.h"

using TFilterMRUItemEventGx = TEvent<void(TObject* Sender, bool& Accept)>;
using TMRUCloseUpEventGx = TEvent<void(TObject* Sender, bool Accept)>;

class TMRUListGx : public TPersistent {
  VANTREL_CLASS(TMRUListGx, TPersistent)
public:
  explicit TMRUListGx(TPersistent* AOwner);
  ~TMRUListGx() override;
  static void Publish(TClassBuilder<TMRUListGx>& b);
  void Assign(TPersistent* Source) override;

  // Records Text as the most recent: an equal item moves to the end, else Text is
  // appended and the oldest items go while more than Limit remain. Blank texts are ignored.
  void AddRecent(const std::string& Text);
  // Fire OnCloseUp and OnDropDown.
  virtual void ClosePopup(bool Accept);
  virtual void OpenPopup();

  bool Active() const { return FActive; }
  void SetActive(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value) { FCaseSensitive = Value; }
  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  int Limit() const { return FLimit; }
  // A negative limit counts as 0.
  void SetLimit(int Value);
  int Rows() const { return FRows; }
  void SetRows(int Value) { FRows = Value; }

  int PopupWidth() const { return FPopupWidth; }
  void SetPopupWidth(int Value) { FPopupWidth = Value; }
  bool DroppedDown() const { return FDroppedDown; }
  void SetDroppedDown(bool Value) { FDroppedDown = Value; }
  const TNotifyEvent& OnActiveChanged() const { return FOnActiveChanged; }
  void SetOnActiveChanged(const TNotifyEvent& Value) { FOnActiveChanged = Value; }
  const TFilterMRUItemEventGx& OnFilterItem() const { return FOnFilterItem; }
  void SetOnFilterItem(const TFilterMRUItemEventGx& Value) { FOnFilterItem = Value; }
  const TMRUCloseUpEventGx& OnCloseUp() const { return FOnCloseUp; }
  void SetOnCloseUp(const TMRUCloseUpEventGx& Value) { FOnCloseUp = Value; }
  const TNotifyEvent& OnDropDown() const { return FOnDropDown; }
  void SetOnDropDown(const TNotifyEvent& Value) { FOnDropDown = Value; }

protected:
  TPersistent* GetOwner() override { return FOwner; }

private:
  void TrimToLimit();

  TPersistent* FOwner;
  std::unique_ptr<TStringList> FItems;
  bool FActive = false;
  bool FCaseSensitive = false;
  int FLimit = 100;
  int FRows = 7;
  int FPopupWidth = 0;
  bool FDroppedDown = false;
  TNotifyEvent FOnActiveChanged;
  TFilterMRUItemEventGx FOnFilterItem;
  TMRUCloseUpEventGx FOnCloseUp;
  TNotifyEvent FOnDropDown;
};
