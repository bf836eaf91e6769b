// Drawing one grid cell: the indicator, titles with sort markers, data cells with their
// parameters, colours, check boxes and key images, footers, and 3D edges.
#include "grid/DBGridGx/CellParams.h"
#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/Footers.h"
#include "grid/DBGridGx/GridPrivate.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/GridFilter.h"
#include "grid/DBGridGx/HeadTree.h"
#include "grid/DBGridGx/TextDraw.h"
#include "grid/DBGridGx/SharedResources.h"
#include "gridcontrols/GxCurrency.h"
#include "gridcontrols/ToolCtrlsGx/EditButtons.h"
#include "platform/controls/Forms.h"
#include "platform/data/DataSet.h"
#include "platform/data/DataSource.h"
#include "platform/data/Field.h"
#include "platform/graphics/Graphic.h"
#include "platform/rtl/Exceptions.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/Streams.h"

#include <algorithm>

namespace {

win::RECT Inset(win::RECT R, int D) { return {R.left + D, R.top + D, R.right - D, R.bottom - D}; }

// A box of the given size centred in R; along an axis where R is smaller the box spans R.
win::RECT CentredBox(const win::RECT& R, int W, int H) {
  win::RECT B = R;
  if (R.right - R.left > W) {
    B.left = R.left + (R.right - R.left - W) / 2;
    B.right = B.left + W;
  }
  if (R.bottom - R.top > H) {
    B.top = R.top + (R.bottom - R.top - H) / 2;
    B.bottom = B.top + H;
  }
  return B;
}

}  // namespace

void TCustomDBGridGx::DrawCell(int ACol, int ARow, const win::RECT& ARect, TGridDrawState AState) {
  TCanvas* c = Canvas();
  if (P->FShowBmp && P->FOptions.Contains(dgIndicator) && P->FGlyphBitmap) c->Draw(2, 2, P->FGlyphBitmap.get());
  P->FCellParams->Col = ACol;
  P->FCellParams->Row = ARow;
  if (ARect.left >= ARect.right) return;
  if (Loading()) {
    c->Brush()->SetColor(Color());
    c->FillRect(ARect);
    return;
  }
  const bool cell3D = IsCell3D(ACol, ARow, AState, ARect);
  const int DataRow = ARow - P->FTitleAreaRowCount;
  const int DataCol = ACol - P->FIndicatorColCount;
  win::RECT R = cell3D ? Inset(ARect, 1) : ARect;
  const int L = cell3D ? 1 : 2;
  const int T = P->FFlat ? L - 1 : L;
  bool down = false;
  if (AState.Contains(gdFixed) && DataCol < 0) {
    DrawIndicatorCell(DataRow, R, L);
  } else if (DataCol >= 0 && DataCol < P->FColumns->Count()) {
    // Hidden columns keep their grid column (without width): grid columns count them all.
    TColumnGx* column = P->FColumns->ColumnAt(DataCol);
    if (AState.Contains(gdFixed) && DataRow < 0) {
      c->Font()->Assign(column->Title()->Font());
      c->Brush()->SetColor(column->Title()->Color());
    } else {
      c->Font()->Assign(column->Font());
      c->Brush()->SetColor(column->Color());
    }
    if (ARow == 0 && P->FOptions.Contains(dgTitles)) {
      down = DrawTitleCell(ACol, DataCol, R, AState, L, T);
    } else if (DataRow < 0) {
      DrawTitleAreaCell(ACol, ARow, R, AState);
    } else if (P->FDataLink->Active()) {
      if (DataRow < RecordRowCount()) {
        down = DrawDataCellBody(ACol, ARow, DataCol, DataRow, R, AState, L, T);
      } else if (P->FFooterRowCount > 0 && DataRow > RowCount() - P->FFooterRowCount - P->FTitleAreaRowCount - 1) {
        down = DrawFooterCellBody(ACol, ARow, DataCol, DataRow, R, AState, L, T);
      } else {
        TColor background = c->Brush()->Color();
        int areaCol = 0, areaRow = 0;
        GetCellType(ACol, ARow, areaCol, areaRow);
        FixedCellColors(ACol, ARow, c->Font(), background, IsCellSelected(ACol, ARow, std::string(), DataCol),
                        AState, 0, areaCol, areaRow);
        c->Brush()->SetColor(background);
        c->FillRect(R);
      }
      if (P->FDefaultDrawingGx && AState.Contains(gdFocused) && HandleAllocated() && Focused() &&
          !ComponentState().Contains(csDesigning) && !P->FOptions.Contains(dgRowSelect) && P->FUpdateLockCount == 0 &&
          IsActiveControl())
        c->DrawFocusRect(R);
    } else {
      c->FillRect(R);
    }
  } else {
    c->FillRect(R);
  }
  if (cell3D) DrawCellEdges(ARect, true, true, down, false);
  if (P->FUseMultiTitle && ARow == 0 && P->FOptions.Contains(dgTitles) && DataCol >= 0 && DataCol < P->FColumns->Count()) {
    c->Font()->Assign(P->FTitleFont.get());
    if (!down) c->Brush()->SetColor(FixedColor());
    THeadTreeNode* leaf = HeadTreeLeaf(DataCol);
    if (leaf && leaf->ParentNode && leaf->ParentNode->ParentNode) {
      win::RECT leafRect = ARect;
      leafRect.top = ARect.bottom - leaf->Height;
      DrawUpperTitleLevels(leaf, leafRect, ARect, AState.Contains(gdFixed));
    }
  }
}

void TCustomDBGridGx::DrawCellEditButton(TEditButtonStyleGx Style, const win::RECT& Rect, TBitmap* Glyph,
                                         TColor Color, bool Enabled, const win::RECT& CellRect) {
  TCanvas* c = Canvas();
  TClipRectGuard clip(c->Handle(), CellRect);
  win::RECT r = Rect;
  if (P->FFlat) {
    c->Brush()->SetColor(Color);
    c->FrameRect({r.left, r.top, r.left + 1, r.bottom});
    ++r.left;
  }
  if (Style != ebsGlyphGx) {
    PaintCellButton(r, Color, ButtonStyleDrawKinds[Style], 0, P->FFlat, false, Enabled, 0);
    return;
  }
  if (P->FFlat) {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    c->Brush()->SetColor(Color);
    c->FrameRect(r);
  } else {
    c->Brush()->SetColor(clBtnFace);
    c->FillRect(r);
    win::DrawEdge(c->Handle(), &r, win::EDGE_RAISED, win::BF_RECT);
  }
  if (Glyph && !Glyph->Empty())
    c->Draw(r.left + (r.right - r.left - Glyph->Width()) / 2, r.top + (r.bottom - r.top - Glyph->Height()) / 2, Glyph);
  c->Brush()->SetColor(Color);
}

void TCustomDBGridGx::DrawUpperTitleLevels(THeadTreeNode* Node, const win::RECT& ChildRect, const win::RECT& CellRect,
                                           bool Fixed) {
  THeadTreeNode* parent = Node->ParentNode;
  // The root holds the top level; it draws nothing of its own.
  if (!parent || !parent->ParentNode) return;
  TCanvas* c = Canvas();
  const bool rowLines = P->FOptions.Contains(dgRowLines), colLines = P->FOptions.Contains(dgColLines);
  win::RECT band;
  band.bottom = ChildRect.top - (rowLines ? 1 : 0);
  band.top = band.bottom - parent->Height;
  band.left = ChildRect.left;
  for (THeadTreeNode* sibling = parent->FirstChild; sibling && sibling != Node; sibling = sibling->NextSibling)
    band.left -= sibling->Width + (colLines ? 1 : 0);
  band.right = band.left + parent->Width;
  win::RECT part{std::max(band.left, CellRect.left), band.top, std::min(band.right, CellRect.right), band.bottom};
  if (band.right > CellRect.right) ++part.right;
  if (Fixed && P->FOptionsGx.Contains(dghFixed3D)) {
    ++part.top;
    --part.bottom;
  }
  if (part.right <= part.left || part.bottom <= part.top) return;
  // A band end inside the cell leaves a strip of the brush beside the caption.
  if (band.left >= CellRect.left) c->FillRect({part.left, part.top, std::min(part.left + 2, part.right), part.bottom});
  if (band.right <= CellRect.right) c->FillRect({std::max(part.right - 2, part.left), part.top, part.right, part.bottom});
  c->FillRect(part);
  {
    TClipRectGuard clip(c->Handle(), part);
    win::RECT text{band.left + 2, band.top, band.right - 2, band.bottom};
    win::UINT format = win::DT_CENTER | win::DT_WORDBREAK | win::DT_NOPREFIX;
    if (Node->Column && Node->Column->Title()->EndEllipsis()) format |= win::DT_END_ELLIPSIS;
    win::RECT measure = text;
    win::DrawText(c->Handle(), parent->Caption.c_str(), static_cast<int>(parent->Caption.size()), &measure,
                  format | win::DT_CALCRECT);
    const int h = measure.bottom - measure.top;
    if (h < text.bottom - text.top) text.top += (text.bottom - text.top - h) / 2;
    win::SetBkMode(c->Handle(), win::TRANSPARENT);
    win::DrawText(c->Handle(), parent->Caption.c_str(), static_cast<int>(parent->Caption.size()), &text, format);
    win::SetBkMode(c->Handle(), win::OPAQUE);
  }
  if (Fixed && P->FOptionsGx.Contains(dghFixed3D))
    DrawCellEdges(part, band.right <= CellRect.right, band.left >= CellRect.left, false, false);
  if (rowLines) {
    TPen* pen = c->Pen();
    pen->SetWidth(1);
    pen->SetColor(P->FFlat ? clGray : clBlack);
    c->MoveTo(part.left, band.bottom);
    c->LineTo(part.right, band.bottom);
  }
  DrawUpperTitleLevels(parent, band, CellRect, Fixed);
}

void TCustomDBGridGx::DrawIndicatorCell(int DataRow, const win::RECT& Rect, int L) {
  TCanvas* c = Canvas();
  const int separator = RowCount() - P->FFooterRowCount - 1 - P->FTitleAreaRowCount;
  TColor background =
      P->FFooterRowCount > 0 && DataRow == separator && !P->FOptionsGx.Contains(dghFrozen3D) ? Color() : FixedColor();
  if (!P->FDataLink->Active()) {
    c->Brush()->SetColor(background);
    c->FillRect(Rect);
    return;
  }
  const bool hasRecord = DataRow >= 0 && DataRow < RecordRowCount();
  bool selected = P->FSelection && P->FSelection->Kind() == gstAll;
  if (!selected && P->FOptions.Contains(dgMultiSelect) && hasRecord && P->FBookmarks->LinkActive()) {
    TActiveRecordKeeper keep(*P->FDataLink);
    P->FDataLink->SetActiveRecord(DataRow);
    selected = IsCellSelected(0, DataRow + P->FTitleAreaRowCount, P->FBookmarks->CurrentBookmark(), -1);
  }
  const int ARow = DataRow + P->FTitleAreaRowCount;
  if (selected) {
    int areaCol = 0, areaRow = 0;
    GetCellType(0, ARow, areaCol, areaRow);
    FixedCellColors(0, ARow, c->Font(), background, true, {gdFixed}, 0, areaCol, areaRow);
  }
  c->Brush()->SetColor(background);
  c->FillRect(Rect);
  const bool active = hasRecord && IsCurrentRecordRow(DataRow);
  TDataSet* dataSet = P->FDataLink->DataSet();
  if (!dataSet || !(active || selected)) return;
  if (active) P->FIndicatorRow = ARow;
  int image = -1;
  if (active) {
    switch (dataSet->State()) {
      case dsBrowse: image = selected ? 5 : P->FSearching ? 6 : 0; break;
      case dsEdit: image = 1; break;
      case dsInsert: image = 2; break;
      default: image = 0; break;
    }
  }
  // A marked row that is not the current one shows only its colours.
  if (image < 0) return;
  TImageList* images = IndicatorImages();
  if (!images || image >= images->Count()) return;
  images->Draw(c, Rect.right - images->Width() - L, (Rect.top + Rect.bottom - images->Height()) / 2, image);
}

bool TCustomDBGridGx::DrawTitleCell(int ACol, int DataCol, const win::RECT& Rect, TGridDrawState AState, int L,
                                    int T) {
  TCanvas* c = Canvas();
  TColumnGx* column = P->FColumns->ColumnAt(DataCol);
  TColumnTitleGx* title = column->Title();
  const bool pressed = P->FPressedTitleCol == ACol && P->FTitleButtonShown;
  std::string caption = title->Caption();
  int textTop = Rect.top;
  if (P->FUseMultiTitle) {
    // Only the leaf's own part of the cell holds its caption; the groups go above it.
    if (THeadTreeNode* leaf = HeadTreeLeaf(column->Index())) {
      caption = leaf->Caption;
      textTop = std::max(Rect.top, Rect.bottom - leaf->Height + 3);
    }
  }
  int imageWidth = 0;
  const bool hasImage = P->FTitleImages && title->ImageIndex() != -1;
  if (hasImage) {
    caption.clear();
    imageWidth = P->FTitleImages->Width();
  }
  TColor background = c->Brush()->Color();
  TSortMarkerGx marker = title->SortMarker();
  if (P->FOnGetBtnParams && column->Field()) P->FOnGetBtnParams(this, column, c->Font(), background, marker, pressed);
  c->Font()->Assign(P->FTitleFont.get());
  c->Font()->Assign(title->Font());
  if (P->FOnGetBtnParams && column->Field()) {
    TColor again = background;
    TSortMarkerGx ignored = marker;
    P->FOnGetBtnParams(this, column, c->Font(), again, ignored, pressed);
  }
  const bool tall = P->FUseMultiTitle || P->FTitleHeight > 0 || P->FTitleLines > 0;
  const int shift = pressed ? (tall ? 2 : 1) : 0;

  win::RECT textRect = Rect;
  textRect.top = textTop;
  const bool money = P->FDrawCurrency && P->FNeedPaintCurrHead && column->IsCurrency();
  if (money) textRect.bottom = std::max(textRect.top, Rect.bottom - P->FCurrencyStyle->CHNHeight() + 1);
  int numberWidth = 0;
  bool drawMarker = marker != smNoneGx;
  const std::string number = std::to_string(title->SortIndex());
  if (drawMarker) {
    textRect.right = Rect.right - 16;
    if (P->FSortedColumnList->Count() >= 2) {
      TFont saved;
      saved.Assign(c->Font());
      c->Font()->Assign(SortIndexFont());
      numberWidth = c->TextWidth(number);
      c->Font()->Assign(&saved);
    }
    if (textRect.right - textRect.left < imageWidth) {
      drawMarker = false;
      textRect.right = Rect.right - 2 - numberWidth;
      if (textRect.right - textRect.left < imageWidth) {
        numberWidth = 0;
        textRect.right = Rect.right;
      }
    }
  }
  int areaCol = 0, areaRow = 0;
  GetCellType(ACol, 0, areaCol, areaRow);
  const bool highlighted = FixedCellColors(ACol, 0, c->Font(), background,
                                           IsCellSelected(ACol, 0, std::string(), DataCol), AState, 0, areaCol,
                                           areaRow);
  c->Brush()->SetColor(background);
  if (textRect.right < Rect.right) c->FillRect({std::max(textRect.right, Rect.left), Rect.top, Rect.right, Rect.bottom});
  if (textTop > Rect.top) c->FillRect({Rect.left, Rect.top, textRect.right, textTop});
  const TAlignment alignment = P->FUseMultiTitle ? taCenter : title->Alignment();
  // Over the money heading the caption keeps to the text area above the heading's strip.
  const win::RECT area = textRect;
  const bool vertical = title->Orientation() == tohVertical;
  int layout = tall ? 1 : 0;
  if (money) {
    if (vertical && tall && !P->FUseMultiTitle) c->Font()->SetSize(c->Font()->Size() - 2);
    // A multi-level caption sits low over a short strip of room.
    if (!vertical && P->FUseMultiTitle && area.bottom - area.top <= 1.5 * c->Font()->Size()) layout = 2;
  }
  win::RECT shifted = area;
  shifted.left += shift;
  shifted.right += shift;
  if (vertical) {
    c->FillRect(area);
    PaintVerticalCellText(c, shifted, false, L, T + 2, caption, alignment, 2, false);
  } else if (tall) {
    PaintCellText(area, L + shift, T + shift, caption, alignment, layout, true, title->EndEllipsis(), 0, -shift);
  } else {
    PaintCellText(shifted, L, T, caption, alignment, 0, false, title->EndEllipsis(), 0, 0);
  }
  if (hasImage) DrawImageInCell(P->FTitleImages, nullptr, c, textRect, title->ImageIndex(), L, alignment);
  TImageList* markers = SortMarkerImages();
  const int imageHeight = markers ? markers->Height() : 0;
  if (drawMarker && markers)
    markers->Draw(c, Rect.right - markers->Width() - numberWidth - 2 + shift,
                  (Rect.top + Rect.bottom - imageHeight) / 2 + shift, marker == smDownGx ? 0 : 1);
  if (marker != smNoneGx && numberWidth > 0) {
    c->Font()->Assign(SortIndexFont());
    if (highlighted) c->Font()->SetColor(clWhite);
    win::SetBkMode(c->Handle(), win::TRANSPARENT);
    c->TextOut(Rect.right - numberWidth - 2 + shift, (Rect.top + Rect.bottom - imageHeight) / 2 + shift - 1, number);
    win::SetBkMode(c->Handle(), win::OPAQUE);
    c->Font()->Assign(P->FTitleFont.get());
    if (highlighted) c->Font()->SetColor(clWhite);
  }
  if (money) {
    c->Font()->Assign(P->FTitleFont.get());
    P->FCurrencyStyle->DrawHeading(c, {Rect.left, Rect.bottom - P->FCurrencyStyle->CHNHeight(), Rect.right, Rect.bottom});
  }
  return highlighted || pressed;
}

bool TCustomDBGridGx::DrawDataCellBody(int ACol, int ARow, int DataCol, int DataRow, const win::RECT& Rect,
                                       TGridDrawState AState, int L, int T) {
  TCanvas* c = Canvas();
  TColumnGx* column = P->FColumns->ColumnAt(DataCol);
  BeginDrawRow(DataRow);
  auto endRow = AtScopeExit([this] { EndDrawRow(); });
  win::RECT textRect = Rect;
  if (column->AlwaysShowEditButton()) textRect.right = std::max(textRect.left, textRect.right - column->EditButtonsWidth());
  if (P->FRowColorFlag) {
    TDataSet* dataSet = P->FDataLink->DataSet();
    const int recNo = dataSet ? dataSet->RecNo() : -1;
    c->Brush()->SetColor(recNo > 0 && recNo % 2 == 1 ? P->FRowOneColor : P->FRowTwoColor);
  }
  // Each cell starts from its own values, never from the previous cell's.
  TColCellParamsGx* params = P->FCellParams.get();
  column->FillCellParams(params);
  params->Col = ACol;
  params->Row = ARow;
  params->State = AState;
  params->Font = c->Font();
  params->Background = c->Brush()->Color();
  const int kind = column->CellKind();
  TGridDrawState state = AState;
  FireGetCellParams(column, c->Font(), params->Background, state);
  column->FireGetCellParams(false, params);
  if (DataCellColors(DataCol, DataRow, c->Font(), params->Background, state, params->Text)) state += gdSelected;
  c->Brush()->SetColor(params->Background);
  if (P->FDefaultDrawingGx && textRect.right > textRect.left) {
    if (column->IsCurrency() && P->FDrawCurrency) {
      P->FCurrencyStyle->DrawAmount(c, params->Text, textRect);
    } else if (kind == CellKindKeyImages) {
      c->FillRect(textRect);
      if (column->ImageList() && params->ImageIndex >= 0)
        DrawImageInCell(column->ImageList(), nullptr, c, textRect, params->ImageIndex, 0, taCenter);
    } else if (kind == CellKindCheckBox) {
      c->FillRect(textRect);
      PaintCellButton(CentredBox(textRect, DefaultCheckBoxWidth, DefaultCheckBoxHeight), params->Background, 3, 0,
                      P->FFlat, false, true, params->CheckState);
    } else {
      PaintCellText(textRect, L, T, params->Text, params->Alignment, 0, column->WordWrap() && P->FRowsAllowWrap,
                    column->EndEllipsis(), 0, 0);
    }
  }
  if (textRect.right < Rect.right) c->FillRect({textRect.right, Rect.top, Rect.right, Rect.bottom});
  if (column->AlwaysShowEditButton()) {
    int x = textRect.right;
    const int shift = IsCell3D(DataToGridColumn(DataCol), DataRow + P->FTitleAreaRowCount, AState, Rect) ? 1 : 0;
    auto button = [&](TEditButtonStyleGx Style, TBitmap* Glyph, int Width) {
      const win::RECT b{x + shift, Rect.top - shift, x + shift + Width, Rect.top - shift + P->FEditButtonHeight};
      if (P->FFlat && shift) c->FillRect({b.left - 1, b.top, b.left, b.bottom});
      DrawCellEditButton(Style, b, Glyph, c->Brush()->Color(), P->FDataLink->Active(), Rect);
      x += Width;
    };
    const TInplaceEditStyleGx style = ColumnEditStyle(column);
    if (style != iesSimpleGx)
      button(style == iesEllipsisGx ? ebsEllipsisGx : style == iesUpDownGx ? ebsUpDownGx : ebsDropDownGx, nullptr,
             P->FEditButtonWidth);
    TEditButtonsGx* buttons = column->EditButtons();
    for (int i = 0; i < buttons->Count(); ++i) {
      TEditButtonGx* b = buttons->Items(i);
      if (!b->Visible()) continue;
      button(b->Style(), b->Glyph(), b->Width() < 1 ? P->FEditButtonWidth : b->Width() + (P->FFlat ? 1 : 0));
    }
    if (P->FEditButtonHeight < DefaultRowHeight())
      c->FillRect({textRect.right, Rect.top + P->FEditButtonHeight, Rect.right, Rect.bottom});
  }
  if (!P->FColumns->IsCustomized()) FireDrawDataCell(Rect, column->Field(), state);
  FireDrawColumnCell(Rect, DataCol, column, state);
  DrawSearchHighlight(DataCol, DataRow, Rect, state, L, T);
  return state.Contains(gdSelected);
}

bool TCustomDBGridGx::DrawFooterCellBody(int ACol, int ARow, int DataCol, int DataRow, const win::RECT& Rect,
                                         TGridDrawState AState, int L, int T) {
  TCanvas* c = Canvas();
  TColumnGx* column = P->FColumns->ColumnAt(DataCol);
  const int index = P->FFooterRowCount + DataRow + P->FTitleAreaRowCount - RowCount();
  TColumnFooterGx* footer = column->FooterForRow(index);
  if (footer) {
    c->Font()->Assign(footer->Font());
    c->Brush()->SetColor(footer->Color());
  }
  bool highlighted = false;
  if (P->FDefaultDrawingGx) {
    TColor background = c->Brush()->Color();
    TAlignment alignment = footer ? footer->Alignment() : taLeftJustify;
    std::string text;
    FooterValueText(index, column, text);
    FireGetFooterParams(DataCol, index, column, c->Font(), background, alignment, AState, text);
    int areaCol = 0, areaRow = 0;
    GetCellType(ACol, ARow, areaCol, areaRow);
    highlighted = FixedCellColors(ACol, ARow, c->Font(), background,
                                  IsCellSelected(ACol, ARow, std::string(), DataCol), AState, 0, areaCol, areaRow);
    c->Brush()->SetColor(background);
    if (column->IsCurrency() && P->FDrawCurrency)
      P->FCurrencyStyle->DrawAmount(c, text, Rect);
    else
      PaintCellText(Rect, L, T, text, alignment, 0, footer && footer->WordWrap() && P->FRowsAllowWrap,
                    footer && footer->EndEllipsis(), 0, 0);
  }
  if (P->FOnDrawFooterCell) {
    win::RECT r = Rect;
    P->FOnDrawFooterCell(this, DataCol, index, column, r, AState);
  }
  return highlighted;
}

void TCustomDBGridGx::DrawFieldPicture(const win::RECT& Rect, TColumnGx* Column) {
  if (!P->FShowImage || !Column) return;
  TField* field = Column->Field();
  if (!field) return;
  switch (field->DataType()) {
    case ftBlob: case ftGraphic: case ftParadoxOle: case ftDBaseOle: case ftTypedBinary: break;
    default: return;
  }
  TCanvas* c = Canvas();
  c->FillRect(Rect);
  if (field->IsNull()) return;
  TPicture picture;
  TStringStream bytes(field->AsString());
  try {
    picture.LoadFromStream(&bytes);
  } catch (const EInvalidGraphic&) {
    // Whatever the field holds that is no picture shows as an empty cell.
    return;
  }
  const int pw = picture.Width(), ph = picture.Height();
  const win::RECT inner = Inset(Rect, 1);
  const int cw = inner.right - inner.left, ch = inner.bottom - inner.top;
  if (pw <= 0 || ph <= 0 || cw <= 0 || ch <= 0) return;
  const double ratio = static_cast<double>(pw) / ph;
  int h = ch;
  int w = static_cast<int>(h * ratio);
  if (w > cw) {
    w = cw;
    h = static_cast<int>(w / ratio);
  }
  const int x = inner.left + (cw - w) / 2, y = inner.top + (ch - h) / 2;
  c->StretchDraw({x, y, x + w, y + h}, picture.Graphic());
}
