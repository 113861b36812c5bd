// Skin files from anywhere: everything between the bytes and the eight
// pages, with the pages' values recorded instead of shown. A file is refused
// unless it holds a whole skin of a known version; an accepted one reaches
// the eight pages once each, in order, carrying the stored fields unchanged.
#include "app/document/SkinFile.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

class Recorder : public SkinPages
{
public:
    std::vector<int> calls;
    TSkinRecord seen;

    void setPage(int page, const PageValue& value) override
    {
        calls.push_back(page);
        setPageValue(seen, skinPages()[size_t(page)], value);
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SkinFileContents contents = parseSkinFile(bytes);
    const bool newer = size > size_t(SkinHeaderSize) && data[SkinHeaderSize] > SkinFileVersion;
    const SkinFileContents::Status expected = newer ? SkinFileContents::NewerVersion
                                              : size < size_t(SkinFileSize) ? SkinFileContents::Truncated
                                                                            : SkinFileContents::Loaded;
    if (contents.status != expected)
        std::abort();
    if (contents.status != SkinFileContents::Loaded)
        return 0;
    Recorder pages;
    applySkinRecord(contents.record, pages);
    if (pages.calls != std::vector<int>{0, 1, 2, 3, 4, 5, 6, OstaloPage})
        std::abort();
    // Every stored field arrived unchanged: only the reserved ones differ.
    QByteArray stored = bytes.mid(SkinHeaderSize + 1, SkinRecordSize);
    int at = 0;
    for (const SkinField& field : skinFields()) {
        if (field.reserved)
            stored.replace(at, field.size(), QByteArray::fromHex("FFFFFF00"));
        at += field.size();
    }
    if (encodeSkinRecord(pages.seen) != stored)
        std::abort();
    return 0;
}
