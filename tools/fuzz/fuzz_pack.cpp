// libFuzzer target for the packed-skin reader's core, built for the host by fuzz.sh: every entry
// of the input is unpacked into a sink that counts its bytes, as the program unpacks a package
// the user picks. The reader must keep within the data, give each entry exactly its size and end
// with one of its faults.
#include "memory.h"
#include "skin/core/acSkinPackCore.h"
#include "skin/graphics/acZLibCore.h"

namespace {

// Takes what is written and keeps only its count.
class TCountingSink : public skin::TByteStream {
public:
    int64_t Read(void*, int64_t) override { __builtin_trap(); }
    void ReadBuffer(void*, int64_t) override { __builtin_trap(); }
    void WriteBuffer(const void*, int64_t count) override { FSize += count; }
    int64_t Position() override { return FSize; }
    void SetPosition(int64_t) override { __builtin_trap(); }
    int64_t Size() override { return FSize; }

private:
    int64_t FSize = 0;
};

std::string NameText(const std::string& Name) { return Name; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    TMemory package(data, size);
    try {
        skin::TPackageReader reader(package, NameText);
        int64_t unpacked = 0;
        for (int32_t i = 0; i < reader.Count(); ++i) {
            const skin::TPackedEntry entry = reader.NextEntry();
            TCountingSink sink;
            reader.Unpack(entry, sink);
            if (sink.Size() != entry.Size)
                __builtin_trap();  // an entry came back with another size than its own
            unpacked += sink.Size();
        }
        if (unpacked > skin::MaxUnpackedBytes)
            __builtin_trap();
    } catch (const skin::EPackedSkinFault&) {
    } catch (const skin::ESkinLimit&) {
    } catch (const skin::EZStreamFault&) {
    } catch (const EShortRead&) {
    }
    return 0;
}
