#pragma once
// The drop-down of recently used texts under an edit: the texts of a model that start
// with what is typed, listed sorted under the edit's text area, opened and refilled as the
// user types, driven by the edit's keys while open, and closed by Enter, Esc, a click,
// focus leaving or the text emptied. The edit keeps the model and says what a taken text
// does.
#include <functional>
#include <string>

#include "gridcontrols/ToolCtrlsGx/MRUList.h"
#include "gridcontrols/ToolCtrlsGx/PopupListbox.h"
#include "platform/controls/Mask.h"

class TMRUDropDownGx {
public:
  // Where the edits differ.
  struct TRulesGx {
    // The list opens at least as wide as the user last made it.
    bool KeepsUserWidth = false;
    // Enter and Esc close the list as keys too, not only as characters.
    bool ClosesOnKeys = false;
    // The wheel turns the open list.
    bool TakesWheel = false;
  };

  // What the edit decides.
  struct THooksGx {
    // Makes the list box on first use (the edit's factory).
    std::function<TMRUListboxGx*()> NewListbox;
    // Item is offered when Accept comes back true.
    std::function<void(const std::string& Item, bool& Accept)> Filter;
    // Opens or refills the list the edit's way (the typed text asked for it).
    std::function<void()> Open;
    // Closes the open list the edit's way (a click, a key or the text asked for it).
    std::function<void(bool Accept)> Close;
    // The user resized the open list with its grip.
    std::function<void()> Resized;
    // Whether a chosen text may go into the edit now (asked only when one was accepted).
    std::function<bool()> MayTake;
    // Puts the chosen text into the edit.
    std::function<void(const std::string& Text)> Take;
  };

  TMRUDropDownGx(TCustomMaskEdit* Edit, TRulesGx Rules);
  ~TMRUDropDownGx();
  TMRUDropDownGx(const TMRUDropDownGx&) = delete;
  TMRUDropDownGx& operator=(const TMRUDropDownGx&) = delete;
  void SetHooks(THooksGx Hooks) { FHooks = std::move(Hooks); }

  // The list box; nil before it is first needed.
  TMRUListboxGx* Listbox() const { return FListbox; }
  // The list box, made through the edit's factory on first use.
  TMRUListboxGx* NeedListbox();
  // A list box as every recent-texts list has it: hidden, flat, sorted, owned by and
  // parented to the edit; a left release over it closes the list, accepting inside it.
  TMRUListboxGx* NewListbox();
  // The edit heard that Component goes away.
  void Forget(TComponent* Component);

  // Whether List offers Item for the edit's Text: Item starts with Text (whole characters,
  // with or without case as List says), unless List's filter event, told Sender, says no.
  static bool Offers(const TMRUListGx* List, TObject* Sender, const std::string& Item, const std::string& Text);
  // After the user changed the edit's text to Text: an emptied text closes the open list;
  // otherwise, when MayOpen and the list is active, it opens or is refilled.
  void FollowText(TMRUListGx* List, const std::string& Text, bool MayOpen);
  // Fills the list from List and places it under the edit's text area, opening it when
  // something is offered; an open list that offers nothing closes.
  void Open(TMRUListGx* List);
  // Hides the open list of List; with Accept the highlighted text goes into the edit when
  // the edit may take it, and a focused edit selects its text.
  void Close(TMRUListGx* List, bool Accept);
  // Routes what the open list takes of the edit's key and wheel messages; true when the
  // edit is done with Message.
  bool Route(TMRUListGx* List, TMessage& Message);
  // The open list has a highlighted text.
  bool HasChoice(const TMRUListGx* List) const;
  // The user resized the open list: List keeps its rows and width for the next opening.
  void RememberSize(TMRUListGx* List);
  // Window or Control is the list box or one of its children.
  bool Holds(win::HWND Window) const;
  bool Holds(TControl* Control) const;

private:
  void Fill(TMRUListGx* List);
  // The edit's formatting rectangle on the screen.
  win::RECT Anchor() const;
  void ListMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
  void GripResized(TObject* Sender);

  TCustomMaskEdit* FEdit;
  TRulesGx FRules;
  THooksGx FHooks;
  TMRUListboxGx* FListbox = nullptr;
};
