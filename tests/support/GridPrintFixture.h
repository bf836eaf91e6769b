#pragma once
// A grid over a client dataset printed by TPrintDBGridGx to the "PDF file" printer of a
// printer back end of the test's own; the pages read back with pdftotext.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "gridoutput/PrnDbggx.h"
#include "gridoutput/PrViewGx.h"
#include "platform/graphics/DrawRecord.h"
#include "tests/support/FakePrinters.h"
#include "tests/support/GridFixture.h"

class GridPrintTest : public GridTest {
protected:
  fake_printers::Installed Fake{{fake_printers::PdfFile(), fake_printers::Office()}};
  std::string Dir = fake_printers::TempDir("grid-print");

  // A grid of Rows records: "Name" holds "Row n", "Amount" n (from 1).
  TDBGridGx* NumberedGrid(int Rows) {
    TDataSource* Source = NewSource({"Name", "%Amount"});
    TDataSet* Data = Source->DataSet();
    for (int R = 1; R <= Rows; ++R) {
      Data->Append();
      Data->FieldByName("Name")->SetAsString("Row " + std::to_string(R));
      Data->FieldByName("Amount")->SetAsInteger(R);
      Data->Post();
    }
    TDBGridGx* Grid = NewGrid();
    Grid->SetDataSource(Source);
    Data->First();
    return Grid;
  }

  // Rows records of "Name" ("Row n"), "Amount" (n), "Left" ("Ln"), "Right" ("Rn"), each
  // column Width screen pixels wide.
  TDBGridGx* FourColumnGrid(int Rows, int Width) {
    TDataSource* Source = NewSource({"Name", "%Amount", "Left", "Right"});
    TDataSet* Data = Source->DataSet();
    for (int R = 1; R <= Rows; ++R) {
      Data->Append();
      Data->FieldByName("Name")->SetAsString("Row " + std::to_string(R));
      Data->FieldByName("Amount")->SetAsInteger(R);
      Data->FieldByName("Left")->SetAsString("L" + std::to_string(R));
      Data->FieldByName("Right")->SetAsString("R" + std::to_string(R));
      Data->Post();
    }
    TDBGridGx* Grid = NewGrid();
    Grid->SetDataSource(Source);
    for (int I = 0; I < 4; ++I) Grid->Columns()->ColumnAt(I)->SetWidth(Width);
    Data->First();
    return Grid;
  }

  // Prints to a PDF file through the process-wide printer; the text of each page.
  std::vector<std::string> PrintToPdf(TPrintDBGridGx& Print, const std::string& Name = "grid.pdf") {
    const std::string File = Dir + "/" + Name;
    Printer()->SetPrinterIndex(0);
    Printer()->SetFileName(File);
    Print.RenderToPrinter(VirtualPrinter);
    std::vector<std::string> Pages;
    const int Count = fake_printers::PdfPages(File);
    for (int P = 1; P <= Count; ++P) Pages.push_back(fake_printers::PdfText(File, P, P));
    return Pages;
  }

  // Prints to a PDF file as PrintToPdf does; what each page drew on the printer.
  std::vector<std::vector<win::DrawOp>> RecordPages(TPrintDBGridGx& Print, const std::string& Name = "recorded.pdf") {
    // Notes where each page's drawing starts in the recording.
    struct PageMarks : TVirtualPrinter {
      std::vector<std::size_t> Starts;
      win::HDC Page = nullptr;
      void StartJob() override {
        TVirtualPrinter::StartJob();
        Page = PageCanvas()->Handle();
        Starts.push_back(win::DrawRecording().size());
      }
      void StartNextPage() override {
        TVirtualPrinter::StartNextPage();
        Starts.push_back(win::DrawRecording().size());
      }
    } Marks;
    Printer()->SetPrinterIndex(0);
    Printer()->SetFileName(Dir + "/" + Name);
    win::ClearDrawRecording();
    win::StartDrawRecording();
    Print.RenderToPrinter(&Marks);
    win::StopDrawRecording();
    const std::vector<win::DrawOp>& All = win::DrawRecording();
    std::vector<std::vector<win::DrawOp>> Pages;
    for (std::size_t P = 0; P < Marks.Starts.size(); ++P) {
      const std::size_t End = P + 1 < Marks.Starts.size() ? Marks.Starts[P + 1] : All.size();
      Pages.emplace_back();
      for (std::size_t I = Marks.Starts[P]; I < End; ++I)
        if (All[I].dc == Marks.Page) Pages.back().push_back(All[I]);
    }
    win::ClearDrawRecording();
    return Pages;
  }

  // The drawn operations of Kind on a page, and its texts equal to Text.
  static std::vector<win::DrawOp> Ops(const std::vector<win::DrawOp>& Page, win::DrawKind Kind) {
    std::vector<win::DrawOp> Out;
    for (const win::DrawOp& Op : Page)
      if (Op.kind == Kind) Out.push_back(Op);
    return Out;
  }
  static std::vector<win::DrawOp> Texts(const std::vector<win::DrawOp>& Page, const std::string& Text) {
    std::vector<win::DrawOp> Out;
    for (const win::DrawOp& Op : Ops(Page, win::DrawKind::Text))
      if (Op.text == Text) Out.push_back(Op);
    return Out;
  }

  static bool Has(const std::string& Text, const std::string& Pattern) {
    return std::regex_search(Text, std::regex(Pattern));
  }
};
