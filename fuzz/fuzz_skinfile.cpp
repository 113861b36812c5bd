// Skin files from anywhere: everything between the bytes and the eight
// set-page operations, with the operations recorded instead of made. A file
// is refused unless it holds a whole skin of a known version; an accepted
// one reaches the pages as exactly the eight calls, in order, carrying the
// stored fields unchanged.
#include "SkinFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class Recorder : public SkinPages
{
public:
    std::vector<std::string> calls;
    TSkinRecord seen;

    void SetPitanje(TColor a, TColor b, TColor c, TColor d, std::uint8_t e) override
    {
        calls.push_back("Pitanje");
        seen.PitanjeText = a, seen.PitanjeLinija = b, seen.PitanjeC1 = c, seen.PitanjeC2 = d, seen.PitanjeDesno = e;
    }
    void SetOdgovorNormal(TColor a, TColor b, TColor c, TColor d, TColor e, std::uint8_t f) override
    {
        calls.push_back("Normal");
        seen.OdgovorNormalText = a, seen.OdgovorNormalChar = b, seen.OdgovorNormalLine = c;
        seen.OdgovorNormalC1 = d, seen.OdgovorNormalC2 = e, seen.OdgovorNormalDesno = f;
    }
    void SetOdgovorIn(TColor a, TColor b, TColor c, TColor d, TColor e, std::uint8_t f) override
    {
        calls.push_back("In");
        seen.OdgovorInText = a, seen.OdgovorInChar = b, seen.OdgovorInLine = c;
        seen.OdgovorInC1 = d, seen.OdgovorInC2 = e, seen.OdgovorInDesno = f;
    }
    void SetOdgovorChech(TColor a, TColor b, TColor c, TColor d, TColor e, std::uint8_t f) override
    {
        calls.push_back("Chech");
        seen.OdgovorChechText = a, seen.OdgovorChechChar = b, seen.OdgovorChechLine = c;
        seen.OdgovorChechC1 = d, seen.OdgovorChechC2 = e, seen.OdgovorChechDesno = f;
    }
    void SetOdgovorOK(TColor a, TColor b, TColor c, TColor d, TColor e, std::uint8_t f) override
    {
        calls.push_back("OK");
        seen.OdgovorOKText = a, seen.OdgovorOKChar = b, seen.OdgovorOKLine = c;
        seen.OdgovorOKC1 = d, seen.OdgovorOKC2 = e, seen.OdgovorOKDesno = f;
    }
    void SetOdgovorYES(TColor a, TColor b, TColor c, TColor d, std::uint8_t e) override
    {
        calls.push_back("YES");
        seen.OdgovorYESText = a, seen.OdgovorYESLine = b, seen.OdgovorYESC1 = c, seen.OdgovorYESC2 = d;
        seen.OdgovorYESDesno = e;
    }
    void SetOdgovorNO(TColor a, TColor b, TColor c, TColor d, std::uint8_t e) override
    {
        calls.push_back("NO");
        seen.OdgovorNOText = a, seen.OdgovorNOLine = b, seen.OdgovorNOC1 = c, seen.OdgovorNOC2 = d;
        seen.OdgovorNODesno = e;
    }
    void SetOstalo(TColor a, TColor b, TColor c, TColor d, TColor e, TColor f) override
    {
        calls.push_back("Ostalo");
        seen.TacanOdgovor = a, seen.NetacanOdgovor = b, seen.Voditelj = c;
        seen.PrijateljHalo = d, seen.Prijatelj = e, seen.PrijateljSenka = f;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const SkinFileContents contents = parseSkinFile(bytes);
    const bool newer = size >= 30 && data[29] > SkinFileVersion;
    const SkinFileContents::Status expected = newer ? SkinFileContents::NewerVersion
                                              : size < size_t(SkinFileSize) ? SkinFileContents::Truncated
                                                                            : SkinFileContents::Loaded;
    if (contents.status != expected)
        std::abort();
    if (contents.status != SkinFileContents::Loaded)
        return 0;
    Recorder pages;
    applySkinRecord(contents.record, pages);
    const std::vector<std::string> order = {"Pitanje", "Normal", "In", "Chech", "OK", "YES", "NO", "Ostalo"};
    if (pages.calls != order)
        std::abort();
    // Every stored field arrived unchanged: only the reserved ones differ.
    QByteArray stored = bytes.mid(30, SkinRecordSize);
    stored.replace(159, 16, QByteArray::fromHex("FFFFFF00FFFFFF00FFFFFF00FFFFFF00"));
    if (encodeSkinRecord(pages.seen) != stored)
        std::abort();
    return 0;
}
