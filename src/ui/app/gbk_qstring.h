#pragma once

#include <QString>
#include <string_view>

#include "text/gbk.h"

namespace norvane::ui {

// Where the record's GBK texts meet the widgets.
inline QString fromGbk(std::string_view gbk) {
    return QString::fromStdString(text::gbkToUtf8(gbk));
}

}  // namespace norvane::ui
