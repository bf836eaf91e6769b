// The multi-title header tree: nodes in rings of siblings, grouping of adjacent runs,
// and the word routines that split captions at the delimiter.
#include "grid/DBGridGx/HeadTree.h"

#include <algorithm>

#include "grid/DBGridGx/Columns.h"
#include "grid/DBGridGx/ColumnsInternal.h"

namespace {
bool IsDelimiter(unsigned char C, const std::string& Delimiters) {
  // Only single-byte characters separate words; bytes of a multi-byte character never do.
  return C < 0x80 && Delimiters.find(static_cast<char>(C)) != std::string::npos;
}
}  // namespace

int WordStartPos(int N, const std::string& S, const std::string& Delimiters) {
  int count = 0;
  std::size_t i = 0;
  while (i < S.size() && count < N) {
    while (i < S.size() && IsDelimiter(static_cast<unsigned char>(S[i]), Delimiters)) ++i;
    if (i < S.size()) {
      ++count;
      if (count == N) return static_cast<int>(i) + 1;
      while (i < S.size() && !IsDelimiter(static_cast<unsigned char>(S[i]), Delimiters)) ++i;
    }
  }
  return 0;
}

std::string NthWordWithPos(int N, const std::string& S, const std::string& Delimiters, int& Pos) {
  Pos = WordStartPos(N, S, Delimiters);
  if (Pos == 0) return {};
  std::size_t start = static_cast<std::size_t>(Pos - 1), end = start;
  while (end < S.size() && !IsDelimiter(static_cast<unsigned char>(S[end]), Delimiters)) ++end;
  return S.substr(start, end - start);
}

std::string NthWord(int N, const std::string& S, const std::string& Delimiters) {
  int pos = 0;
  return NthWordWithPos(N, S, Delimiters, pos);
}

THeadTreeNode::THeadTreeNode(const std::string& ACaption, int AHeight, int AWidth)
    : Height(AHeight), NextSibling(this), Caption(ACaption), Width(AWidth) {}

THeadTreeNode::~THeadTreeNode() {
  if (!ParentNode) FreeChildren();
}

void THeadTreeNode::CheckInTree(const THeadTreeNode* Node) const {
  if (!ContainsNode(Node)) throw Exception("Node not in Tree");
}

bool THeadTreeNode::ContainsNode(const THeadTreeNode* Node) const {
  if (!Node) return false;
  const THeadTreeNode* n = this;
  do {
    if (n == Node) return true;
    if (n->FirstChild && n->FirstChild->ContainsNode(Node)) return true;
    n = n->NextSibling;
  } while (n && n != this);
  return false;
}

THeadTreeNode* THeadTreeNode::AddAfter(THeadTreeNode* After, const std::string& ACaption, int AHeight, int AWidth) {
  CheckInTree(After);
  auto* node = new THeadTreeNode(ACaption, AHeight, AWidth);
  node->ParentNode = After->ParentNode;
  node->NextSibling = After->NextSibling;
  After->NextSibling = node;
  return node;
}

THeadTreeNode* THeadTreeNode::AddChildNode(THeadTreeNode* Parent, const std::string& ACaption, int AHeight,
                                           int AWidth) {
  CheckInTree(Parent);
  if (!Parent->FirstChild) {
    auto* node = new THeadTreeNode(ACaption, AHeight, AWidth);
    node->ParentNode = Parent;
    Parent->FirstChild = node;
    return node;
  }
  THeadTreeNode* last = Parent->FirstChild;
  while (last->NextSibling != Parent->FirstChild) last = last->NextSibling;
  return AddAfter(last, ACaption, AHeight, AWidth);
}

void THeadTreeNode::FreeChildren() {
  THeadTreeNode* first = FirstChild;
  if (!first) return;
  FirstChild = nullptr;
  THeadTreeNode* n = first;
  do {
    THeadTreeNode* next = n->NextSibling;
    n->FreeChildren();
    delete n;
    n = next;
  } while (n != first);
}

THeadTreeNode* THeadTreeNode::GroupSiblings(THeadTreeNode* From, THeadTreeNode* To, int AHeight,
                                            const std::string& ACaption) {
  CheckInTree(From);
  THeadTreeNode* parent = From->ParentNode;
  THeadTreeNode* levelFirst = parent ? parent->FirstChild : this;
  if (From != To) {
    THeadTreeNode* n = From;
    do {
      n = n->NextSibling;
    } while (n != To && n != levelFirst && n != From);
    if (n != To) throw Exception("ATo not in level");
  }
  THeadTreeNode* group = AddAfter(To, ACaption, AHeight, 0);
  group->LineWidth = To->LineWidth;
  // The node before From now points to the group, which takes From's place.
  THeadTreeNode* before = From;
  while (before->NextSibling != From) before = before->NextSibling;
  before->NextSibling = group;
  if (parent && parent->FirstChild == From) parent->FirstChild = group;
  group->FirstChild = From;
  int width = 0;
  THeadTreeNode* n = From;
  while (true) {
    n->ParentNode = group;
    n->Height -= AHeight;
    width += n->Width + group->LineWidth;
    if (n == To) break;
    n = n->NextSibling;
  }
  To->NextSibling = From;
  if (group->LineWidth >= 1) width -= group->LineWidth;
  group->Width = width;
  return group;
}

void THeadTreeNode::ForEachNode(const THeadTreeProc& Proc, TCustomDBGridGx* Grid) {
  THeadTreeNode* first = FirstChild;
  if (!first) return;
  THeadTreeNode* n = first;
  do {
    Proc(Grid, n);
    n->ForEachNode(Proc, Grid);
    n = n->NextSibling;
  } while (n != first);
}

void THeadTreeNode::BuildFromColumns(TCustomDBGridGx* Grid, std::vector<THeadTreeNode*>* Leaves) {
  static const std::string Bar = "|";
  FreeChildren();
  std::vector<THeadTreeNode*> leaves;
  TDBGridColumnsGx* columns = Grid->Columns();
  const bool lines = Grid->Options().Contains(dgColLines);
  const int height = Grid->RowCount() > 0 ? Grid->RowHeights(0) : 0;
  for (int i = 0; i < columns->Count(); ++i) {
    TColumnGx* column = columns->ColumnAt(i);
    const int width = column->Visible() ? column->Width() : (lines ? -1 : 0);
    THeadTreeNode* leaf = AddChildNode(this, column->Title()->Caption(), height, width);
    leaf->Column = column;
    leaf->MarkerIndent = column->Title()->SortMarker() != smNoneGx ? 16 : 0;
    leaf->LineWidth = lines ? 1 : 0;
    leaves.push_back(leaf);
  }
  // Group runs of adjacent siblings that share their first word, until nothing groups.
  for (bool grouped = true; grouped;) {
    grouped = false;
    for (std::size_t i = 0; i < leaves.size() && !grouped; ++i) {
      int pos = 0;
      NthWordWithPos(2, leaves[i]->Caption, Bar, pos);
      if (pos == 0) continue;
      const std::string word = NthWord(1, leaves[i]->Caption, Bar);
      std::size_t last = i;
      while (last + 1 < leaves.size() && leaves[last + 1]->ParentNode == leaves[i]->ParentNode &&
             NthWord(1, leaves[last + 1]->Caption, Bar) == word)
        ++last;
      // Each caption loses its own first word and the delimiters after it: captions of
      // one run may start differently ("|A|X" beside "A|Y").
      for (std::size_t k = i; k <= last; ++k) {
        std::string& caption = leaves[k]->Caption;
        const int own = WordStartPos(2, caption, Bar);
        if (own == 0) caption.clear();
        else caption.erase(0, static_cast<std::size_t>(own - 1));
      }
      GroupSiblings(leaves[i], leaves[last], 20, word);
      grouped = true;
    }
  }
  if (Leaves) *Leaves = std::move(leaves);
}
