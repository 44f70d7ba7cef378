// FindBrowserChildWindow: the widget inside a browser control that has the
// given class name, following the chain of first children only.
#pragma once

class QWidget;

namespace folverin {

class TEmbeddedBrowser;

// The class of the widget that receives the page's input (the engine draws
// the page into a Qt Quick scene).
inline constexpr const char* kRenderWidgetClass = "QQuickWidget";

QWidget* FindBrowserChildWindow(TEmbeddedBrowser& browser, const char* className);

}  // namespace folverin
