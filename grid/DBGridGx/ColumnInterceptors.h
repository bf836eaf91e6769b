#pragma once
// Storage interceptors of the grid's columns: a width read back into a grid that fits
// its columns to its width becomes the column's share, and the order of the columns is
// kept as one text of field names.
#include <string>

#include "gridcontrols/PropFilerGx.h"

class TColumnGx;
class TDBGridColumnsGx;

class TColumnGxPropertyInterceptor : public TStoragePropertyInterceptor {
  VANTREL_CLASS(TColumnGxPropertyInterceptor, TStoragePropertyInterceptor)
public:
  explicit TColumnGxPropertyInterceptor(TObject* Target) : TStoragePropertyInterceptor(Target) {}
  // In a grid that fits its columns: the column's share of the width, applied at the
  // grid's next fitting; elsewhere the column's Width.
  void SetWidth(int Value);

  static void Publish(TClassBuilder<TColumnGxPropertyInterceptor>& b);
};

class TColumnsGxPropertyInterceptor : public TStoragePropertyInterceptor {
  VANTREL_CLASS(TColumnsGxPropertyInterceptor, TStoragePropertyInterceptor)
public:
  explicit TColumnsGxPropertyInterceptor(TObject* Target) : TStoragePropertyInterceptor(Target) {}
  // The field names of the columns in order, each in double quotes, separated by commas.
  std::string ColumnsIndex() const;
  // Puts the columns in the order of the names (comma text): each name places the first
  // column not yet placed that has exactly that field name after those placed before it;
  // names without such a column are skipped, and the columns never named follow in
  // their order.
  void SetColumnsIndex(const std::string& Value);

  static void Publish(TClassBuilder<TColumnsGxPropertyInterceptor>& b);

private:
  TDBGridColumnsGx* Columns() const;
};

// Registers the two interceptors for the column and column-collection classes.
void RegisterColumnInterceptors();
