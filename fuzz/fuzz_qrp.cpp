// The reader of saved documents (".QRP") on arbitrary bytes: it must refuse what does not hold without
// crashing, and whatever it accepts must save back to the same bytes.
#include "print/QrpFile.h"

#include <QGuiApplication>
#include <cstdlib>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

} // namespace

// A page picture may claim a list of millions of font names: the reader must survive the allocation that
// fails, as it does in the program, where the failure comes back as std::bad_alloc.
extern "C" const char *__asan_default_options() { return "allocator_may_return_null=1"; }

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    zelvane::ReportDocument document;
    if (zelvane::ReadQrp(bytes, document) != zelvane::QrpStatus::Ok)
        return 0;
    zelvane::ReportDocument again;
    if (zelvane::ReadQrp(zelvane::QrpBytes(document), again) != zelvane::QrpStatus::Ok
        || zelvane::QrpBytes(again) != zelvane::QrpBytes(document))
        std::abort();
    return 0;
}
