#pragma once
// The filter language of datasets: bracketed or plain field names, comparisons
// (= <> < > <= >=), IS [NOT] NULL, [NOT] LIKE patterns, AND/OR/NOT, parentheses, quoted strings, numbers
// (signed, with an exponent) and dates given as quoted strings. Syntax errors raise EDatabaseError.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/data/DBTypes.h"
#include "platform/rtl/Variant.h"

// SQL's LIKE: '%' any run of characters, '_' one character, letters A-Z without regard
// to case, everything else as it stands.
bool LikeMatches(std::string_view text, std::string_view pattern);

class TFilterExpr {
public:
  // Reads a field's value and type by name; returns false for an unknown name.
  using TResolver = std::function<bool(const std::string& name, Variant& value, TFieldType& type)>;

  explicit TFilterExpr(const std::string& text);
  ~TFilterExpr();
  TFilterExpr(TFilterExpr&&) noexcept;
  TFilterExpr& operator=(TFilterExpr&&) noexcept;

  // True when the text holds no condition (every record passes).
  bool Empty() const { return !FRoot; }
  // The field names the expression refers to, in order of appearance.
  const std::vector<std::string>& FieldNames() const { return FNames; }
  // Evaluates the condition for one record; unknown names raise EDatabaseError.
  bool Matches(const TResolver& resolve) const;

  // Names a field's column in SQL and gives its type; false when the name is no column.
  using TSQLColumnResolver = std::function<bool(const std::string& name, std::string& column, TFieldType& type)>;
  // The condition as an SQL expression that selects the same rows as Matches; false when
  // it cannot be written so (two fields compared, a value that is not of its field's type).
  bool ToSQL(const TSQLColumnResolver& resolve, std::string& sql) const;

  struct Node;

private:
  std::unique_ptr<Node> FRoot;
  std::vector<std::string> FNames;
  std::string FText;
};
