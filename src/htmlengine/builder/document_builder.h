// The document builder: turns an HTML text (or a plain text) into the
// document model, and collects what the view needs from the head.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/ansi_string.h"
#include "htmlengine/document/html_form.h"
#include "htmlengine/document/map_item.h"
#include "htmlengine/document/section_list.h"
#include "htmlengine/style/style_sheet_cache.h"
#include "htmlengine/tokenizer/html_tokenizer.h"

namespace folverin {

// The view's handlers (all optional).
using TLinkHandler =
    std::function<void(const AnsiString& rel, const AnsiString& rev, const AnsiString& href)>;
using TMetaHandler = std::function<void(const AnsiString& httpEq, const AnsiString& name,
                                        const AnsiString& content)>;
using TSoundHandler = std::function<void(const AnsiString& src, int loop, bool terminate)>;
using TScriptHandler = std::function<void(const AnsiString& name, const AnsiString& language,
                                          const AnsiString& script)>;
// Supplies a linked style sheet's text; false leaves it to the file system.
using TStreamRequest = std::function<bool(const AnsiString& src, std::string& content)>;

// What the builder asks of the view that loads the document.
struct TBuilderView {
  int Charset = 1;  // DEFAULT_CHARSET
  TScriptHandler OnScript;
  TStreamRequest OnStreamRequest;
  // Turns an address of the document into a file name (the view's
  // ExpandDocumentName); without it addresses are taken as file names.
  std::function<AnsiString(const AnsiString&)> ExpandDocumentName;
  TProgressHandler OnProgress;
  // Linked sheets read by earlier loads (not owned); without it every
  // linked sheet is read from its file.
  TStyleSheetCache* SheetCache = nullptr;
};

// The head information and the objects that belong to the document but not
// to its item tree (controls point into the forms' lists).
struct TParseResult {
  AnsiString Title;
  AnsiString BaseURL;
  AnsiString BaseFrame;
  std::vector<std::unique_ptr<ThtmlForm>> Forms;
  std::vector<std::unique_ptr<TMapItem>> Maps;
};

// Parses an HTML text into an empty document. Nothing in the text makes it
// fail: the document keeps what was built up to a parse error.
TParseResult ParseDocument(const AnsiString& text, TSectionList& document,
                           const TLinkHandler& linkHandler = {},
                           const TMetaHandler& metaHandler = {}, const TBuilderView& view = {},
                           const TSoundHandler& soundHandler = {},
                           const TIncludeHandler& includeHandler = {});

// Fills an empty document with the text as preformatted lines.
TParseResult ParsePlainText(const AnsiString& text, TSectionList& document,
                            const TBuilderView& view = {});

}  // namespace folverin
