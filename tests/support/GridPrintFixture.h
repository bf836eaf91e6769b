#pragma once
// A grid over a client dataset printed by TPrintDBGridGx to the "PDF file" printer of a
// printer back end of the test's own; the pages read back with pdftotext.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "gridoutput/PrnDbggx.h"
#include "gridoutput/PrViewGx.h"
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

  static bool Has(const std::string& Text, const std::string& Pattern) {
    return std::regex_search(Text, std::regex(Pattern));
  }
};
