// FindFrameDocument: the document of a frame of the shown page, found by the
// frame's name without regard to ASCII case; the frame gets the focus.
#pragma once

#include <QString>
#include <optional>

namespace folverin {

class TEmbeddedBrowser;

// A frame's document as scripts reach it: `Script` is the expression for
// its window from the top-level window ("frames[1]").
struct TFrameDocument {
  QString Script;
  QString Name;
  QString URL;
};

std::optional<TFrameDocument> FindFrameDocument(TEmbeddedBrowser& browser, const QString& frameName);

// The same search as a script expression that gives the frame's window (or
// null), for scripts that run without waiting for their answer.
QString FrameWindowScript(const QString& frameName);

}  // namespace folverin
