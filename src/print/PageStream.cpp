#include "print/PageStream.h"

namespace zelvane {

namespace {
thread_local PageStream *t_current = nullptr;
} // namespace

PageStream::~PageStream() = default;

PageStreamScope::PageStreamScope(PageStream &stream)
    : m_previous(t_current)
{
    t_current = &stream;
}

PageStreamScope::~PageStreamScope() { t_current = m_previous; }

PageStream *PageStreamScope::current() { return t_current; }

} // namespace zelvane
