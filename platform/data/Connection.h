#pragma once
// TCustomConnection: the connection components of the engine families share this base.
// It opens the SQLite file its descendant names and closes its datasets when it closes.
#include <memory>
#include <string>
#include <vector>

#include "platform/data/SQLiteDatabase.h"
#include "platform/rtl/Component.h"

class TDataSet;

class TCustomConnection : public TComponent {
  VANTREL_CLASS(TCustomConnection, TComponent)
public:
  explicit TCustomConnection(TComponent* AOwner);
  ~TCustomConnection() override;
  static void Publish(TClassBuilder<TCustomConnection>&) {}

  bool Connected() const { return FDatabase != nullptr; }
  void SetConnected(bool v);
  void Open() { SetConnected(true); }
  void Close() { SetConnected(false); }
  bool LoginPrompt() const { return FLoginPrompt; }
  void SetLoginPrompt(bool v) { FLoginPrompt = v; }
  int DataSetCount() const { return static_cast<int>(FDataSets.size()); }
  TDataSet* DataSets(int i) const { return FDataSets.at(static_cast<size_t>(i)); }
  void Loaded() override;

  // The open database, connecting first when needed.
  TSQLiteDatabase* Database();
  void RegisterClient(TDataSet* ds);
  void UnRegisterClient(TDataSet* ds);

protected:
  // The file to open and whether to open it for reading only.
  virtual std::string DatabasePath() const = 0;
  virtual bool ReadOnlyMode() const { return false; }
  // Checks the settings before a connection is made (e.g. the provider).
  virtual void CheckSettings() const {}
  void CheckDisconnected() const;

private:
  std::unique_ptr<TSQLiteDatabase> FDatabase;
  std::vector<TDataSet*> FDataSets;
  bool FLoginPrompt = true;
  bool FStreamedConnected = false;
};
