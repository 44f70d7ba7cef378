// The builder's state and routines (THtmlBuilder), shared by the source
// files of the builder; callers use document_builder.h.
#pragma once

#include <bitset>
#include <initializer_list>
#include <memory>

#include "common/scope_guard.h"
#include "htmlengine/builder/document_builder.h"
#include "htmlengine/builder/table_cell_manager.h"
#include "htmlengine/document/block.h"
#include "htmlengine/document/html_table.h"
#include "htmlengine/document/section.h"
#include "htmlengine/document/url_target.h"
#include "htmlengine/style/property_stack.h"

namespace folverin {

using TSymbolSet = std::bitset<kHtmlSymbolCount>;

inline TSymbolSet SymbolSet(std::initializer_list<THtmlSymbol> symbols) {
  TSymbolSet set;
  for (THtmlSymbol symbol : symbols) set.set(static_cast<size_t>(symbol));
  return set;
}
inline bool Contains(const TSymbolSet& set, THtmlSymbol symbol) {
  return set.test(static_cast<size_t>(symbol));
}

// The lower-case tag of B, I, SPAN, SUB ... and their end symbols; empty
// for every other symbol.
std::string_view InlineTagName(THtmlSymbol symbol, bool& isEnd);
THtmlSymbol ListEndOf(THtmlSymbol listSymbol);
bool IsListStart(THtmlSymbol symbol);
// The symbols that ParseInline owns.
const TSymbolSet& InlineSymbols();
// The symbols that end the content of a table cell.
const TSymbolSet& TableTerminators();

class THtmlBuilder {
 public:
  THtmlBuilder(TSectionList& document, const TBuilderView& view);

  void RunDocument(const AnsiString& text, const TLinkHandler& linkHandler,
                   const TMetaHandler& metaHandler, const TSoundHandler& soundHandler,
                   const TIncludeHandler& includeHandler);
  void RunPlainText(const AnsiString& text);
  TParseResult TakeResult();

 private:
  // Blocks inside blocks are parsed by recursion; deeper nesting than this
  // is flattened so that no document can exhaust the stack.
  static constexpr int kMaxNesting = 200;
  static constexpr int kMaxTableDepth = 10;

  // One level deeper until the returned guard goes.
  auto EnterNesting() {
    ++Nesting;
    return TScopeGuard([this] { --Nesting; });
  }
  bool TooDeep() const { return Nesting >= kMaxNesting; }

  // --- start, stack, sections (document_builder.cpp) ---
  void ParseStart(const AnsiString& text);
  void FinishParse();
  void Next() { Context.NextSymbol(); }
  THtmlSymbol Sym() const { return Context.Symbol; }
  TElementStyle StyleOfTag();
  // False when the stack was too deep to take the set; then nothing is popped.
  bool PushTag(std::string_view tag, TPropAdjustment adjust = {});
  bool PushPlain(std::string_view tag);
  TPropAdjustment AlignAdjustment();
  TPropAdjustment AlignAdjustment(AnsiString align);
  void EnsureCell();
  void OpenSection(TAttributeList* attributes = nullptr);
  void OpenPreSection();
  void CloseSection();
  void NewFontRun();
  TAppendMode AppendMode();
  TBlock* AddBlock(std::unique_ptr<TBlock> block);
  TBlock* EnterBlock(TAttributeList* attributes = nullptr);
  void LeaveBlock(TBlock* block);

  // --- body and inline (builder_body.cpp) ---
  void ParseBody(const TSymbolSet& terminators);
  void ParseInline();
  void ParseInlineStyleTag(std::string_view tag, bool isEnd);
  void ParseAnchor();
  void CloseLink();
  void ParseBodyTag();
  void ApplyBodyAttributes(TAttributeList& attributes, TProperties& bottom);
  void ParseRule();
  void InsertEmbedded();
  void InsertPage();
  void ParseStyle();
  void ParseBreak(const TSymbolSet& terminators);

  // --- blocks (builder_blocks.cpp) ---
  void ParseHeading();
  void ParseParagraph(const TSymbolSet& terminators);
  void ParseList(THtmlSymbol listSymbol, const TSymbolSet& terminators);
  void ParseListItem(THtmlSymbol listSymbol, THtmlSymbol itemSymbol, int number,
                     const TSymbolSet& terminators, bool plain, char numberStyle);
  void ParseDivision(THtmlSymbol symbol, const TSymbolSet& terminators);
  void ParseCenter(const TSymbolSet& terminators);
  void ParseForm(const TSymbolSet& terminators);
  void ParseDiv(const TSymbolSet& terminators);

  // --- preformatted text (builder_preformatted.cpp) ---
  void ParsePreformatted();
  void ReadPreformatted(bool withTags);
  void FlushPreToken();
  void EndPreLine();
  void ClosePreSection(bool keepEmpty);
  bool PreformattedTag(int preDepth);
  void PreParagraphStart();
  void PreParagraphEnd();
  void PreFormStart();
  void PreFormEnd();

  // --- tables (builder_tables.cpp) ---
  void ParseTable();
  void ParseTableContent(TCellBasic* outer);
  void FinishTable(TCellBasic* outer, std::unique_ptr<TTableBlock> tableBlock,
                   std::unique_ptr<ThtmlTable> table,
                   std::unique_ptr<TTableAndCaptionBlock> captionHolder);
  void StartCell(bool header);
  void EndCell();
  void AddOpenRow();
  void StartRow(bool withAttributes);
  void ParseCaption();
  void ParseColumns();
  // The column definition a new cell starts under, or nullptr.
  const TColObj* ColumnOfNewCell() const;
  void TakeCellAttributes(TCellObj& cell, TAttributeList& attributes, const TColObj* column);

  // --- forms and controls (builder_forms.cpp) ---
  // INPUT, SELECT, TEXTAREA; false when SELECT stopped at a symbol of
  // someone else's, which must not be skipped.
  bool ParseControl();
  void ParseSelect(TSelectControl& control);
  void ParseTextArea(TTextAreaControl& control);
  void AddOption(TSelectControl& control, TSelectOption option);

  // --- head and other elements (builder_head.cpp) ---
  void ParseTitle();
  void ParseBase();
  void ParseMeta();
  void ParseLink();
  void ApplyLinkedSheet(const AnsiString& href);
  void ParseSound();
  void ParseScript(const TScriptHandler& handler);
  // False when the map was abandoned at a symbol its caller must handle.
  bool ParseMap(bool inPreformatted = false);
  void ParseFont(THtmlSymbol symbol, bool inPreformatted);

 public:
  // --- state (TBuildState) ---
  TSectionList& TargetDocument;
  const TBuilderView& View;
  TParseContext Context;
  TCellBasic* CurrentCell = nullptr;
  std::unique_ptr<TSection> CurrentSection;
  TBodyBlock* BodyBlock = nullptr;
  TUrlTarget LinkTarget;
  bool LinkOpen = false;
  TPropStack PropertyStack;
  ThtmlForm* OpenForm = nullptr;
  int BaseSize = 3;
  bool KeepTogether = false;
  int ListDepth = 0;
  int TableDepth = 0;
  bool MainPass = false;
  TParseResult Result;
  TLinkHandler LinkHandler;
  TMetaHandler MetaHandler;
  TSoundHandler SoundHandler;

 private:
  int Nesting = 0;
  // The table being built; a nested table saves and restores it.
  struct TTableState {
    ThtmlTable* Table = nullptr;
    std::unique_ptr<TCellList> Row;
    std::unique_ptr<TCellObj> CellObject;
    int TableSetCount = 0;  // stack size with the table's set on top
    int RowSetCount = 0;    // stack size with the row's set on top
    std::unique_ptr<TCellManager> CellManager;  // only with column definitions
    std::unique_ptr<TBlock> Caption;
    bool CaptionBottom = false;
  };
  TTableState Tab;
  // Preformatted text waiting for the section.
  TCharCollection PrePending;
  TokenObj PreToken;
  TBlock* PreParagraph = nullptr;
  TBlock* PreForm = nullptr;
};

// A text attribute of the tag just read, empty when absent.
AnsiString AttributeValue(const TAttributeList& attributes, THtmlAttribute symbol);
bool HasAttribute(const TAttributeList& attributes, THtmlAttribute symbol);

}  // namespace folverin
