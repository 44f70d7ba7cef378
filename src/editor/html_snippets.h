// The markup that the editor's context menu inserts: fixed entities and
// tags, the three wrapping commands, and the link and picture tags with a
// path relative to the edited document.
#pragma once

#include <optional>
#include <string_view>

#include "common/ansi_string.h"

namespace folverin {

// The fixed insertions, in the order of the context menu.
struct TFixedSnippet {
  std::string_view Caption;
  std::string_view Snippet;
};
inline constexpr TFixedSnippet kFixedSnippets[] = {
    {"Copyright", "&copy;"}, {"Trademark", "&#153;"}, {"Registered Trademark", "&reg;"},
    {"Bullet", "&#149;"},    {"<BR>", "<BR>"},        {"<P>", "<P>"}};

enum class TWrapCommand { Bold, Italic, Comment };

// The selection wrapped in the command's markup; nothing for an empty
// selection, which the command leaves as it is.
std::optional<AnsiString> WrapSelection(TWrapCommand command, std::string_view selected);

// Native: this system's paths ("/"). Windows: the paths of a collection
// written there (drive letters, "\", names compared without regard to case).
enum class TPathFlavour { Native, Windows };

// The path of target relative to the edited file's folder, with forward
// slashes, as a link in that document writes it; target itself (with
// forward slashes) where no relative path exists (another drive).
AnsiString RelativeLinkPath(std::string_view editedFile, std::string_view target,
                            TPathFlavour flavour = TPathFlavour::Native);

// <A HREF ="R">D</A> followed by the line ending ("", "<BR>" or "<P>").
AnsiString LinkSnippet(std::string_view relativePath, std::string_view description, std::string_view lineEnding);
// <IMG SRC="R" ALT="D" ALIGN=A> followed by the line ending.
AnsiString PictureSnippet(std::string_view relativePath, std::string_view description,
                          std::string_view alignment, std::string_view lineEnding);

// The prompt lines of the description dialog for a chosen file name.
AnsiString LinkPrompt(std::string_view fileName);
AnsiString PicturePrompt(std::string_view fileName);

}  // namespace folverin
