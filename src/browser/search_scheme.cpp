#include "browser/search_scheme.h"

#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace folverin {

namespace {

class TSearchSchemeHandler : public QWebEngineUrlSchemeHandler {
 public:
  using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
  void requestStarted(QWebEngineUrlRequestJob* job) override {
    job->fail(QWebEngineUrlRequestJob::RequestDenied);
  }
};

}  // namespace

void RegisterSearchScheme() {
  QWebEngineUrlScheme scheme(kSearchScheme);
  scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
  scheme.setFlags(QWebEngineUrlScheme::LocalScheme | QWebEngineUrlScheme::LocalAccessAllowed);
  QWebEngineUrlScheme::registerScheme(scheme);
}

void InstallSearchSchemeHandler(QWebEngineProfile* profile) {
  if (profile->urlSchemeHandler(kSearchScheme)) return;
  profile->installUrlSchemeHandler(kSearchScheme, new TSearchSchemeHandler(profile));
}

}  // namespace folverin
