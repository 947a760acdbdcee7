#include "graph/PRINT_PAGE.h"

GRAPH_RECT PRINT_TEXT::Extent() const {
    GRAPH_RECT extent = box;
    switch (align) {
    case PRINT_ALIGN::Left:
        extent.right = box.left + width;
        break;
    case PRINT_ALIGN::Right:
        extent.left = box.right - width;
        break;
    case PRINT_ALIGN::Centre:
        extent.left = box.left + (box.Width() - width) / 2;
        extent.right = extent.left + width;
        break;
    }
    return extent;
}

std::vector<const PRINT_TEXT*> PRINT_PAGE::Texts() const {
    std::vector<const PRINT_TEXT*> texts{&date, &unitLabel, &footer};
    for (const auto* group : {&names, &tickLabels, &info}) {
        for (const PRINT_TEXT& text : *group) {
            texts.push_back(&text);
        }
    }
    for (const PRINT_CURSOR& cursor : cursors) {
        if (cursor.inside) {
            texts.push_back(&cursor.letter);
        }
    }
    return texts;
}

const PRINT_TEXT* PRINT_PAGE::InfoText(const std::string& text) const {
    for (const PRINT_TEXT& item : info) {
        if (item.text == text) {
            return &item;
        }
    }
    return nullptr;
}
