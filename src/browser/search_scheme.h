// The pseudo-scheme "search-internal:" of the search links in documents.
// Chromium refuses to navigate to a scheme it does not know, before the
// navigation check could see it; so the scheme is registered as a local one
// and the profile gets a handler. The handler never serves anything: the
// navigation check cancels every such navigation and runs the search.
#pragma once

class QWebEngineProfile;

namespace folverin {

inline constexpr const char* kSearchScheme = "search-internal";

// Must run before the QApplication is created.
void RegisterSearchScheme();

// Installs the refusing handler on the profile once.
void InstallSearchSchemeHandler(QWebEngineProfile* profile);

}  // namespace folverin
