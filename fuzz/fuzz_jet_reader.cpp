// libmdb on arbitrary bytes, in this process: what the reader process meets. A crash found here is a
// crash of the reader process, which the program turns into a refusal of the file; it is why the
// reading runs in a process of its own.
#include "access/reader/JetDump.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static char path[] = "/tmp/zelvane-jet-reader-fuzz-XXXXXX";
    static const int fd = mkstemp(path);
    static FILE *records = std::fopen("/dev/null", "w");
    if (fd < 0 || !records || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != ssize_t(size))
        std::abort();
    zelvane::jetdump::DumpJetFile(path, zelvane::jetdump::Mode::AllRows, nullptr, records);
    return 0;
}
