#pragma once
// A shown form with a grid over a numbered dataset, sized to a given number of data rows,
// and the vertical bar's scroll information.
#include "tests/support/GridFixture.h"

#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/ScrollBarSettings.h"
#include "platform/desktop/Headless.h"
#include "platform/desktop/Windows.h"

// A dataset that cannot tell record numbers.
class TUnnumberedDataSet : public TClientDataSet {
public:
  explicit TUnnumberedDataSet(TComponent* AOwner) : TClientDataSet(AOwner) {}
  bool IsSequenced() const override { return false; }
};

// A vertical bar's range, page and position.
struct BarInfo {
  int Min, Max, Page, Pos;
  bool operator==(const BarInfo& O) const { return Min == O.Min && Max == O.Max && Page == O.Page && Pos == O.Pos; }
};

inline std::ostream& operator<<(std::ostream& Out, const BarInfo& I) {
  return Out << "{min " << I.Min << ", max " << I.Max << ", page " << I.Page << ", pos " << I.Pos << "}";
}

class DataFollowTest : public GridTest {
protected:
  void SetUp() override {
    Form->SetBounds(0, 0, 600, 500);
    Form->Show();
  }

  // A grid over Records records (a numbered or an unnumbered dataset), Rows data rows
  // high, with Footers footer rows.
  // Made: a grid to use instead of a new TDBGridGx; Empty: a dataset (on the form) to
  // fill instead of a new one.
  TDBGridGx* GridOn(int Records, int Rows, bool Numbered = true, int Footers = 0, TDBGridGx* Made = nullptr,
                    TClientDataSet* Empty = nullptr) {
    if (Made) {
      Made->SetName("DBGridGx1");
      Made->SetParent(Form.get());
    }
    Grid = Made ? Made : NewGrid();
    Grid->SetBounds(10, 10, 300, 100);
    Grid->HandleNeeded();
    Grid->SetFooterRowCount(Footers);
    TClientDataSet* Data =
        Empty ? Empty : Numbered ? new TClientDataSet(Form.get()) : new TUnnumberedDataSet(Form.get());
    Data->FieldDefs().Add("A", ftString, 20);
    Data->CreateDataSet();
    for (int I = 0; I < Records; ++I) {
      Data->Append();
      Data->Fields()[0]->SetAsString("r" + std::to_string(I + 1));
      Data->Post();
    }
    Data->First();
    auto* Source = new TDataSource(Form.get());
    Source->SetDataSet(Data);
    Grid->SetDataSource(Source);
    DataSet = Data;
    const int L = Grid->DefaultRowHeight() + Grid->GridLineWidth();
    const int Title = Grid->RowHeights(0) + Grid->GridLineWidth();
    Grid->SetClientHeight(Title + (Rows + (Footers ? Footers : 0)) * L + (Footers ? Grid->GridLineWidth() : 0));
    Grid->RequestLayout();
    Settle();
    return Grid;
  }

  void Settle() {
    win::headless::ProcessMessages();
    win::UpdateWindow(Grid->Handle());
  }

  using Info = BarInfo;
  Info VertInfo() {
    win::SCROLLINFO Si{};
    Si.fMask = win::SIF_RANGE | win::SIF_PAGE | win::SIF_POS;
    win::GetScrollInfo(Grid->Handle(), win::SB_VERT, &Si);
    return {Si.nMin, Si.nMax, static_cast<int>(Si.nPage), Si.nPos};
  }
  bool VertBarShown() { return (win::GetWindowLongPtr(Grid->Handle(), win::GWL_STYLE) & win::WS_VSCROLL) != 0; }

  TDBGridGx* Grid = nullptr;
  TDataSet* DataSet = nullptr;
};

