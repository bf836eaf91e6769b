#include "grid/DBGridGx/LayoutRegistry.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <utility>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/GridControl.h"
#include "grid/DBGridGx/GridDataLink.h"
#include "grid/DBGridGx/SharedResources.h"
#include "platform/controls/Forms.h"
#include "platform/controls/Registry.h"
#include "platform/data/DataSet.h"
#include "platform/data/Field.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/rtl/SysUtils.h"

namespace {

constexpr int FieldWidths[] = {12, 4, 2, 80, 12, 20, 2, 2, 5, 12, 5, 2, 15};
constexpr int FieldCount = static_cast<int>(std::size(FieldWidths));
const char* const SavedAtName = "最后更新时间";
// The last field of a text whose fields are encoded.
const char* const EncodedMark = "%";

std::string Encode(const std::string& Field) {
  std::string out;
  for (char c : Field) {
    if (c == '@') out += "%40";
    else if (c == '%') out += "%25";
    else out += c;
  }
  return out;
}

std::string Decode(const std::string& Field) {
  std::string out;
  for (std::size_t i = 0; i < Field.size(); ++i) {
    if (Field.compare(i, 3, "%40") == 0) {
      out += '@';
      i += 2;
    } else if (Field.compare(i, 3, "%25") == 0) {
      out += '%';
      i += 2;
    } else {
      out += Field[i];
    }
  }
  return out;
}

std::vector<std::string> SplitRaw(const std::string& Value) {
  std::vector<std::string> parts(1);
  for (char c : Value) {
    if (c == '@') parts.emplace_back();
    else parts.back() += c;
  }
  return parts;
}

std::string KeyPath(TCustomDBGridGx* Grid, const std::string& Name) {
  std::string key = Trim(Name);
  if (key.empty()) key = OwnerQualifiedName(Grid);
  const std::string& base = GridLayoutRegistryBase();
  return (base.empty() ? std::string(GridLayoutRegistryPath) : base) + key;
}

// Shows the hourglass for the scope's lifetime.
auto HourGlass() {
  const TCursor saved = Screen->Cursor();
  Screen->SetCursor(crHourGlass);
  return AtScopeExit([saved] { Screen->SetCursor(saved); });
}

bool ContainsTrue(const std::string& Text) { return UpperCase(Text).find("TRUE") != std::string::npos; }

// An enumeration's ordinal from its text; Fallback when it is no ordinal of the type.
template <class E>
E OrdinalField(const std::string& Text, E Last, E Fallback) {
  const int value = StrToIntDef(Text, 0);
  return value >= 0 && value <= static_cast<int>(Last) ? static_cast<E>(value) : Fallback;
}

std::vector<std::string> ColumnFields(TColumnGx* Column) {
  TColumnFooterGx* footer = Column->Footer();
  return {Column->FieldName(),
          IntToStr(Column->Width()),
          Column->Visible() ? "T" : "F",
          Column->Title()->Caption(),
          footer->FieldName(),
          footer->Value(),
          IntToStr(static_cast<int>(footer->ValueType())),
          IntToStr(static_cast<int>(footer->Alignment())),
          Column->ReadOnly() ? "TRUE" : "FALSE",
          IntToStr(Column->Color()),
          Column->AlwaysShowEditButton() ? "True" : "False",
          IntToStr(static_cast<int>(Column->ButtonStyle())),
          Column->DisplayFormat()};
}

bool Summable(TCustomDBGridGx* Grid, const std::string& Name) {
  TDataSource* source = Grid->DataSource();
  if (!source || !source->DataSet() || !Grid->GridLink() || !Grid->GridLink()->Active()) return false;
  TField* field = source->DataSet()->FindField(Name);
  if (!field) return false;
  switch (field->DataType()) {
    case ftSmallint: case ftInteger: case ftWord: case ftFloat: case ftCurrency: case ftBCD: case ftBytes:
    case ftVarBytes:
      break;
    default:
      return false;
  }
  return Grid->SumFieldNotInclude()->IndexOf(Name) < 0;
}

// Adds the column a stored text describes; false when the text names no field the grid
// can show.
bool AddStoredColumn(TCustomDBGridGx* Grid, const std::string& Value) {
  const std::string name = SplitLayoutField(Value, 0);
  if (name.empty()) return false;
  TDataSource* source = Grid->DataSource();
  if (source && source->DataSet() && Grid->GridLink() && Grid->GridLink()->Active() &&
      !source->DataSet()->FindField(name))
    return false;
  auto field = [&Value](int N) { return SplitLayoutField(Value, N); };

  TColumnGx* column = Grid->Columns()->AddColumn();
  column->SetFieldName(name);
  int width = StrToIntDef(field(1), 60);
  if (width < 0) width = 60;
  // A grid too narrow to hold a column (not laid out yet) keeps the stored widths.
  if (Grid->Width() - 6 > 0) width = std::min(width, Grid->Width() - 6);
  column->SetWidth(width);
  column->SetVisible(UpperCase(field(2)) == "T");
  if (const std::string caption = field(3); !caption.empty()) column->Title()->SetCaption(caption);
  column->Title()->SetAlignment(taCenter);
  if (const std::string text = field(8); !text.empty()) column->SetReadOnly(ContainsTrue(text));
  // A colour that is no number is left out.
  if (int color = 0; TryStrToInt(field(9), color) && color != Grid->Color() && color != clWindow)
    column->SetColor(color);
  if (const std::string text = field(10); !text.empty()) column->SetAlwaysShowEditButton(ContainsTrue(text));
  if (const std::string text = field(11); !text.empty())
    column->SetButtonStyle(OrdinalField(text, cbsDropDown, cbsAuto));
  if (const std::string text = field(12); !text.empty()) column->SetDisplayFormat(text);

  if (Grid->FooterRowCount() > 0) {
    TColumnFooterGx* footer = column->Footer();
    if (Grid->AutoSetFooterWhenRestore() && Summable(Grid, name)) {
      footer->SetFieldName(name);
      footer->SetValue("");
      footer->SetValueType(fvtSum);
      footer->SetAlignment(taRightJustify);
    } else {
      footer->SetFieldName(field(4));
      footer->SetValue(field(5));
      footer->SetValueType(OrdinalField(field(6), fvtStaticText, fvtNon));
      footer->SetAlignment(OrdinalField(field(7), taCenter, taLeftJustify));
    }
  }
  return true;
}

}  // namespace

std::string OwnerQualifiedName(TComponent* Component) {
  if (!Component) return "";
  if (dynamic_cast<TCustomForm*>(Component)) return Component->ClassName();
  if (auto* Control = dynamic_cast<TControl*>(Component)) {
    if (TCustomForm* Form = GetParentForm(Control)) return Form->ClassName() + Control->Name();
    if (Control->Parent()) return Control->Parent()->Name() + Control->Name();
    return Control->Name();
  }
  if (Component->Owner() && dynamic_cast<TCustomForm*>(Component->Owner()))
    return Format("%s.%s", Component->Owner()->ClassName(), Component->Name());
  return Component->Name();
}

void PadLayoutField(std::string& Text, int Width) {
  Text = Trim(Text);
  const int length = static_cast<int>(Text.size());
  if (length < Width) Text.append(static_cast<std::size_t>(Width - length), ' ');
}

std::string JoinLayoutFields(const std::vector<std::string>& Fields) {
  const bool encode = std::any_of(Fields.begin(), Fields.end(),
                                  [](const std::string& f) { return Trim(f).find('@') != std::string::npos; });
  std::string value;
  for (int i = 0; i < static_cast<int>(Fields.size()) && i < FieldCount; ++i) {
    std::string text = Trim(Fields[static_cast<std::size_t>(i)]);
    if (encode) text = Encode(text);
    PadLayoutField(text, FieldWidths[i]);
    if (i > 0) value += '@';
    value += text;
  }
  if (encode) value += std::string("@") + EncodedMark;
  return value;
}

std::string SplitLayoutField(const std::string& Value, int N) {
  std::vector<std::string> parts = SplitRaw(Value);
  // Only a text ending in the mark has encoded fields: older texts read as they stand.
  const bool encoded = parts.size() > 1 && parts.back() == EncodedMark;
  if (encoded) parts.pop_back();
  if (N < 0 || N >= static_cast<int>(parts.size())) return {};
  const std::string field = Trim(parts[static_cast<std::size_t>(N)]);
  return encoded ? Decode(field) : field;
}

std::string LayoutValueName(int Index) {
  std::string digits = IntToStr(Index);
  return digits.size() < 4 ? std::string(4 - digits.size(), '0') + digits : digits;
}

bool GridLayoutExists(TCustomDBGridGx* Grid, const std::string& Name) {
  TRegistry reg(win::KEY_READ);
  reg.SetRootKey(win::HKEY_CURRENT_USER);
  return reg.OpenKeyReadOnly(KeyPath(Grid, Name));
}

void SaveGridLayout(TCustomDBGridGx* Grid, const std::string& Name) {
  if (Grid->ReadOnly()) return;
  auto cursor = HourGlass();
  const std::string path = KeyPath(Grid, Name);
  // Every text is made before the store is touched: a failure here writes nothing.
  std::vector<std::pair<std::string, std::string>> values;
  values.emplace_back(SavedAtName, DateTimeToStr(Now()));
  TDBGridColumnsGx* columns = Grid->Columns();
  for (int i = 0; i < columns->Count(); ++i)
    values.emplace_back(LayoutValueName(i), JoinLayoutFields(ColumnFields(columns->ColumnAt(i))));

  TRegistry reg;
  reg.SetRootKey(win::HKEY_CURRENT_USER);
  if (!reg.OpenKey(path, true)) throw ERegistryException("Failed to create key " + path);
  std::set<std::string> written;
  for (const auto& [name, text] : values) {
    reg.WriteString(name, text);
    written.insert(UpperCase(name));
  }
  TStringList names;
  reg.GetValueNames(&names);
  for (int i = 0; i < names.Count(); ++i)
    if (!written.count(UpperCase(names[i]))) reg.DeleteValue(names[i]);
  // The store takes the whole layout or none of it.
  if (win::RegFlushKey(reg.CurrentKey()) != win::ERROR_SUCCESS)
    throw ERegistryException("Failed to set data for '" + path + "'");
}

void RestoreGridLayout(TCustomDBGridGx* Grid, const std::string& Name) {
  auto cursor = HourGlass();
  std::vector<std::string> values;
  {
    TRegistry reg(win::KEY_READ);
    reg.SetRootKey(win::HKEY_CURRENT_USER);
    if (!reg.OpenKeyReadOnly(KeyPath(Grid, Name))) return;
    for (int i = 0;; ++i) {
      const std::string name = LayoutValueName(i);
      if (!reg.ValueExists(name)) break;
      values.push_back(reg.ReadString(name));
    }
  }
  if (values.empty()) return;

  // The new columns are made after the present ones, which go only once all are made:
  // a restore that fails leaves the columns (and the frozen count) as they were.
  TDBGridColumnsGx* columns = Grid->Columns();
  const int frozen = Grid->FrozenCols();
  const int before = columns->Count();
  Grid->LockLayout();
  bool done = false;
  auto finish = AtScopeExit([&] {
    if (!done) {
      while (columns->Count() > before) columns->Delete(columns->Count() - 1);
      Grid->SetFrozenCols(frozen);
    }
    Grid->UnlockLayout();
  });
  Grid->SetFrozenCols(0);
  for (const std::string& value : values) AddStoredColumn(Grid, value);
  for (int i = before; i-- > 0;) columns->Delete(i);
  done = true;
  Grid->SetFrozenCols(frozen);
}
