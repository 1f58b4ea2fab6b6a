#include "pane_model.h"

namespace qiv {

std::size_t lineCutAfter(const std::string& text, std::size_t count) {
    if (count >= text.size()) return text.size();
    const std::size_t lineFeed = text.find('\n', count);
    return lineFeed == std::string::npos ? text.size() : lineFeed + 1;
}

std::string PaneModel::wrapped(const std::string& insertion) {
    std::string out;
    out.reserve(insertion.size());
    for (std::size_t at = 0; at < insertion.size();) {
        const unsigned char c = static_cast<unsigned char>(insertion[at]);
        const std::size_t length = (c >= 0x81 && c <= 0xFE && at + 1 < insertion.size()) ? 2 : 1;
        if (c != '\r' && c != '\n' && column_ + length > kPaneLineLimit) {
            out += "\r\n";
            column_ = 0;
        }
        out.append(insertion, at, length);
        column_ = c == '\n' ? 0 : column_ + length;
        at += length;
    }
    return out;
}

bool PaneModel::append(std::string insertion, std::string& appended) {
    insertion = wrapped(insertion);
    bool dropped = false;
    const long adding = insertion.size() > static_cast<std::size_t>(limit_) ? limit_ + 1
                                                                          : static_cast<long>(insertion.size());
    if (static_cast<long>(text_.size()) + adding > limit_) {
        // A text longer than half the pane keeps its end; then the front of the pane goes.
        insertion.erase(0, gbkTailStart(insertion, static_cast<std::size_t>(limit_ / 2)));
        const long drop = paneFrontToDrop(static_cast<long>(text_.size()), static_cast<long>(insertion.size()), limit_);
        if (drop > 0) {
            text_.erase(0, lineCutAfter(text_, static_cast<std::size_t>(drop)));
            dropped = true;
        }
    }
    text_ += insertion;
    if (!dropped) appended += insertion;
    return dropped;
}

}  // namespace qiv
