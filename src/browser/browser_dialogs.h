// The control's own dialogs: find in page, print, print preview, page setup
// and the Internet options (the engine's settings for every window).
#pragma once

#include <QPageLayout>

namespace folverin {

class TEmbeddedBrowser;

void ShowFindDialog(TEmbeddedBrowser* browser);
void PrintDocument(TEmbeddedBrowser* browser);
void ShowPrintPreview(TEmbeddedBrowser* browser);
void ShowPageSetup(TEmbeddedBrowser* browser);
void ShowInternetOptions(TEmbeddedBrowser* browser);

// The print options every window prints with: portrait, margins of about
// 20 mm left and 12 mm elsewhere, changed by the page setup.
QPageLayout& PrintOptions();

}  // namespace folverin
