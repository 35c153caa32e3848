#pragma once

// What every benchmark of a window starts with: it runs only inside a test namespace, and its windows draw
// offscreen (unless told otherwise) in the look the tool runs with.
#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <memory>

#include "netns_guard.h"

namespace norvane::bench {

// The application, or nullptr (after saying why) outside a test namespace.
inline std::unique_ptr<QApplication> windowBenchApp(int& argc, char** argv) {
    if (const auto violation = test::netnsViolation()) {
        std::fprintf(stderr, "%s\n", violation->c_str());
        return nullptr;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    auto app = std::make_unique<QApplication>(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    return app;
}

}  // namespace norvane::bench
