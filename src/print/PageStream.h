#pragma once

#include "print/ReportDocument.h"

class QPainter;

namespace zelvane {

// Where the engine paints a document's pages as it finishes them, so that a long document is never held
// whole: a document of thousands of pages kept as pictures takes gigabytes, and recording each picture
// then playing it again costs more than painting it once on the output.
class PageStream
{
public:
    virtual ~PageStream();
    // Starts a page of document (its title and layout are set) and gives the painter to draw it on, in
    // points from the paper's top left corner; null when the output failed, and the page is skipped.
    virtual QPainter *beginPage(const ReportDocument &document) = 0;
    // The page begun last is complete.
    virtual void endPage() = 0;
};

// While it lives, every document generated on this thread paints its pages into stream and keeps neither
// the pages nor their texts: its list of pages stays empty. Scopes nest; the innermost one receives.
class PageStreamScope
{
public:
    explicit PageStreamScope(PageStream &stream);
    ~PageStreamScope();
    PageStreamScope(const PageStreamScope &) = delete;
    PageStreamScope &operator=(const PageStreamScope &) = delete;

    // The stream of the innermost scope of this thread; null outside any.
    static PageStream *current();

private:
    PageStream *m_previous;
};

} // namespace zelvane
