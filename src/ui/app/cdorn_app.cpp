#include "app/cdorn_app.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QStyleFactory>

#include "app/cdorn_dlg.h"

namespace norvane::ui {

CdornApp::CdornApp(int& argc, char** argv) : app_(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("norvane-config"));
    // The window is laid out for this style's measures; a desktop's own style must not squeeze it.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    if (qtTexts_.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts_);
    window_ = std::make_unique<CdornDlg>(prompter_);
}

CdornApp::~CdornApp() = default;

int CdornApp::run(QSize size) {
    if (size.isEmpty()) size = window_->sizeHint().boundedTo(window_->screen()->availableGeometry().size());
    window_->resize(size);
    window_->show();
    return QApplication::exec();
}

}  // namespace norvane::ui
