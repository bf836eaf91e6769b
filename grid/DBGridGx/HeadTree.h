#pragma once
// The multi-title header tree: column captions split at "|" into nested group cells.
// Each level of the tree is a ring of siblings; the root stands for the title area.
#include <functional>
#include <string>
#include <vector>

#include "platform/rtl/Classes.h"

class TColumnGx;
class TCustomDBGridGx;
class THeadTreeNode;

using THeadTreeProc = std::function<void(TCustomDBGridGx* Grid, THeadTreeNode* Node)>;

class THeadTreeNode : public TObject {
  VANTREL_CLASS(THeadTreeNode, TObject)
public:
  THeadTreeNode(const std::string& ACaption, int AHeight, int AWidth);
  // A node without parent frees all its descendants.
  ~THeadTreeNode() override;

  THeadTreeNode* FirstChild = nullptr;
  TColumnGx* Column = nullptr;
  int Height = 0;
  int PrintHeight = 0;
  THeadTreeNode* ParentNode = nullptr;
  THeadTreeNode* NextSibling = nullptr;
  std::string Caption;
  int LineWidth = 0;
  int Width = 0;
  int PrintWidth = 0;
  int MarkerIndent = 0;

  // Each raises Exception "Node not in Tree" for a node outside this tree.
  THeadTreeNode* AddAfter(THeadTreeNode* After, const std::string& ACaption, int AHeight, int AWidth);
  THeadTreeNode* AddChildNode(THeadTreeNode* Parent, const std::string& ACaption, int AHeight, int AWidth);
  void FreeChildren();
  bool ContainsNode(const THeadTreeNode* Node) const;
  // Makes the run From..To of one level the children of a new group node in its place;
  // raises "ATo not in level" when To does not follow From in the level.
  THeadTreeNode* GroupSiblings(THeadTreeNode* From, THeadTreeNode* To, int AHeight, const std::string& ACaption);
  void ForEachNode(const THeadTreeProc& Proc, TCustomDBGridGx* Grid);
  // Rebuilds the tree below this (root) node from the grid's column captions; Leaves
  // receives the leaf of each column, in Columns order.
  void BuildFromColumns(TCustomDBGridGx* Grid, std::vector<THeadTreeNode*>* Leaves = nullptr);

private:
  void CheckInTree(const THeadTreeNode* Node) const;
};

// Word routines over single-byte delimiters; a multi-byte UTF-8 character never splits.
// The 1-based byte position of the N-th word (N from 1), 0 when there is none.
int WordStartPos(int N, const std::string& S, const std::string& Delimiters);
std::string NthWord(int N, const std::string& S, const std::string& Delimiters);
// As NthWord; Pos receives the word's start position (0 when none).
std::string NthWordWithPos(int N, const std::string& S, const std::string& Delimiters, int& Pos);
