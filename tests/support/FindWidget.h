#pragma once

#include <QString>
#include <QWidget>

// The first child of window of type W whose text reads text, or nullptr.
template<typename W>
W *FindByText(const QWidget *window, const QString &text)
{
    const auto children = window->findChildren<W *>();
    for (W *child : children) {
        if (child->text() == text)
            return child;
    }
    return nullptr;
}
