// The control's own dialogs: find in page, print, print preview, page setup
// and the Internet options (the engine's settings for every window). Each
// acts on the web view it is given and belongs to it.
#pragma once

#include <QPageLayout>

class QWebEngineView;

namespace folverin {

void ShowFindDialog(QWebEngineView* view);
void PrintDocument(QWebEngineView* view);
void ShowPrintPreview(QWebEngineView* view);
void ShowPageSetup(QWebEngineView* view);
void ShowInternetOptions(QWebEngineView* view);

// The print options every window prints with: portrait, margins of about
// 20 mm left and 12 mm elsewhere, changed by the page setup.
QPageLayout& PrintOptions();

}  // namespace folverin
