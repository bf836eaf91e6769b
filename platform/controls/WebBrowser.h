#pragma once
// TWebBrowser: a browser pane. There is no network here: navigating records the
// address, the document completes on the message loop, and the pane paints the address.
#include "platform/controls/WinControl.h"
#include "platform/rtl/Variant.h"

#include <map>
#include <memory>

VANTREL_DECLARE_EXCEPTION(EOleError, Exception)

// A late-bound object of the loaded document: named properties and named sub-objects,
// reached by name as automation calls reach them. Unknown names raise EOleError.
class TOleObject {
public:
  explicit TOleObject(std::string Name) : FName(std::move(Name)) {}
  const std::string& Name() const { return FName; }
  Variant GetProperty(const std::string& Name) const;
  void SetProperty(const std::string& Name, const Variant& Value);
  TOleObject* Object(const std::string& Name) const;
  // Declares a property or a sub-object (the document's own structure).
  void AddProperty(const std::string& Name, const Variant& Value) { FProps[Name] = Value; }
  TOleObject* AddObject(const std::string& Name);

private:
  std::string FName;
  std::map<std::string, Variant> FProps;
  std::map<std::string, std::unique_ptr<TOleObject>> FObjects;
};

using TWebBrowserDocumentCompleteEvent = TEvent<void(TObject* Sender, TOleObject* pDisp, const Variant& URL)>;

class TWebBrowser : public TWinControl {
  VANTREL_CLASS(TWebBrowser, TWinControl)
public:
  explicit TWebBrowser(TComponent* AOwner);
  ~TWebBrowser() override;
  void Navigate(const std::string& URL);
  bool Busy() const { return FBusy; }
  const std::string& LocationURL() const { return FLocationURL; }
  // The loaded document ("body" with its "Scroll" property and "style"), or nullptr
  // before a document completed.
  TOleObject* Document() const { return FDocument.get(); }
  TWebBrowserDocumentCompleteEvent OnDocumentComplete() const { return FOnDocumentComplete; }
  void SetOnDocumentComplete(const TWebBrowserDocumentCompleteEvent& Value) { FOnDocumentComplete = Value; }
  static void Publish(TClassBuilder<TWebBrowser>& b);

protected:
  void Dispatch(TMessage& Message) override;

private:
  void Complete();
  void Paint(win::HDC DC);
  bool FBusy = false;
  std::string FLocationURL;
  std::string FPending;
  std::unique_ptr<TOleObject> FDocument;
  TWebBrowserDocumentCompleteEvent FOnDocumentComplete;
};
