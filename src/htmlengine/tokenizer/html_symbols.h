// The symbols the tokenizer hands to the document builder, and the tables
// that map tag and attribute names to them.
#pragma once

#include <cstdint>
#include <string_view>

namespace folverin {

// Tags with an end tag come as a pair (start, end); the order follows the
// tag table. `Heading` stands for H1 to H6; the level travels separately.
enum class THtmlSymbol : uint8_t {
  // Not tags.
  Text, EndOfDocument, UnknownTag, LineEnd,
  // Tags with start and end symbols.
  Html, HtmlEnd, Title, TitleEnd, Body, BodyEnd, Head, HeadEnd,
  B, BEnd, I, IEnd, Heading, HeadingEnd, Em, EmEnd, Strong, StrongEnd,
  U, UEnd, Cite, CiteEnd, Var, VarEnd, TT, TTEnd, Code, CodeEnd,
  Kbd, KbdEnd, Samp, SampEnd, OL, OLEnd, UL, ULEnd, Dir, DirEnd,
  Menu, MenuEnd, DL, DLEnd, A, AEnd, Address, AddressEnd,
  Blockquote, BlockquoteEnd, Pre, PreEnd, Center, CenterEnd,
  Table, TableEnd, TD, TDEnd, TH, THEnd, Caption, CaptionEnd,
  Form, FormEnd, TextArea, TextAreaEnd, Select, SelectEnd,
  Option, OptionEnd, Font, FontEnd, Sub, SubEnd, Sup, SupEnd,
  Big, BigEnd, Small, SmallEnd, P, PEnd, Map, MapEnd,
  Frameset, FramesetEnd, NoFrames, NoFramesEnd, Script, ScriptEnd,
  Div, DivEnd, S, SEnd, Strike, StrikeEnd, TR, TREnd, NoBr, NoBrEnd,
  Style, StyleEnd, Span, SpanEnd, ColGroup, ColGroupEnd,
  // Tags with a start symbol only.
  LI, BR, HR, DD, DT, Img, Base, Button, Input, Selected, BaseFont,
  Area, Frame, Page, BgSound, Wrap, Meta, Panel, Wbr, Link, Col,
};

inline constexpr int kHtmlSymbolCount = static_cast<int>(THtmlSymbol::Col) + 1;
inline constexpr int kTagCount = 73;
inline constexpr int kTagsWithEnd = 52;

enum class THtmlAttribute : uint8_t {
  Href, Name, Src, Alt, Align, Text, BgColor, Link, Background, ColSpan,
  RowSpan, Border, CellPadding, CellSpacing, VAlign, Width, Start, Value,
  Type, Checkbox, Radio, Method, Action, Checked, Size, MaxLength, Cols,
  Rows, Multiple, Selected, Face, Color, Transp, Clear, IsMap, BorderColor,
  UseMap, Shape, Coords, NoHref, Height, Plain, Target, NoResize,
  Scrolling, HSpace, Language, FrameBorder, MarginWidth, MarginHeight,
  Loop, OnClick, Wrap, NoShade, HttpEquiv, Content, EncType, VLink, OLink,
  Active, VSpace, Class, ID, Style, Rel, Rev, NoWrap, BorderColorLight,
  BorderColorDark, Charset, Ratio, Title, OnFocus, OnBlur, OnChange, Span,
  TabIndex, BgProperties, Disabled,
  Other,  // every name the table does not know
};

inline constexpr int kAttributeNameCount = 80;

struct TTagSymbols {
  THtmlSymbol Start;
  THtmlSymbol End;  // UnknownTag for tags without an end tag
};

// Looks an upper-case tag name up; both symbols are UnknownTag when absent.
TTagSymbols LookupTag(std::string_view upperName);

// Looks an upper-case attribute name up; Other when absent.
THtmlAttribute LookupAttribute(std::string_view upperName);

// The names in table order, for tests and diagnostics.
std::string_view TagNameAt(int index);
std::string_view AttributeNameAt(int index);

bool IsHeadingSymbol(THtmlSymbol symbol);

}  // namespace folverin
