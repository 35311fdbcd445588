#pragma once
// Packed skins: the options file and the images of a skin folder in one file (".asz") or one block
// of bytes held by the program, each file compressed on its own.
//
// The format; every integer is 32-bit signed little-endian:
//   "ASzf", N, then N entries, each right after the one before, nothing after the last:
//     L, L bytes of file name (ANSI code page, no path, no terminator),
//     S, the file's size unpacked,
//     the file as one zlib stream, whose length is not stored: it ends with its checksum.
// The entry named "Options.dat" (in any letter case) is the skin's INI text; the others are the
// image files the text names.
#include "skin/core/acSkinLimits.h"
#include "vcl/classes.h"

#include <memory>
#include <vector>

namespace skin {

// One image file of an unpacked skin.
struct TacImageItem {
    vcl::String FileName;                             // as stored, from the ANSI code page
    bool IsBitmap = false;                            // the extension is ".BMP" in any letter case
    std::unique_ptr<vcl::TMemoryStream> FileStream;   // the file, left positioned at its end
};
using TacImageItems = std::vector<TacImageItem>;

// A packed skin unpacked in memory, for the time one skin loads.
class TacSkinConvertor : public vcl::TPersistent {
    CL_CLASS(TacSkinConvertor, vcl::TPersistent)
public:
    ~TacSkinConvertor() override;

    // Frees the files (last first), the options and an owned PackedData; PackedData becomes none.
    void Clear();

    // The number of entries less one: the image count of a package with one options entry. It
    // can exceed Files' length; index Files only within it.
    int ImageCount = 0;
    // The entries other than the options, in package order.
    TacImageItems Files;
    // The unpacked "Options.dat", left positioned at its end; none when the package has none.
    std::unique_ptr<vcl::TMemoryStream> Options;
    // The packed bytes being read. A caller may lend a stream of its own: the convertor frees only
    // the one LoadSkinFromFile made, so a lent stream is never freed here.
    vcl::TStream* PackedData = nullptr;

private:
    friend void LoadSkinFromFile(const vcl::String&, std::unique_ptr<TacSkinConvertor>&, bool);
    std::unique_ptr<vcl::TMemoryStream> FOwnedPackedData;
};

// A skin past one of the limits of acSkinLimits.h: the load fails with this message.
class ESkinLimitError : public vcl::Exception {
public:
    using vcl::Exception::Exception;
};

// Runs Step, raising a limit that it passes as ESkinLimitError.
template<class F>
auto WithinSkinLimits(F&& Step) -> decltype(Step())
{
    try {
        return Step();
    } catch (const ESkinLimit& limit) {
        throw ESkinLimitError(vcl::FromUtf8(limit.what()));
    }
}

// Reads the packed skin file into Convertor (cleared, or made when there is none): PackedData
// holds the whole file while it unpacks, and is freed afterwards when FreePackedData is set. A
// missing file changes nothing; a file larger than MaxPackedFileBytes raises ESkinLimitError
// before it is read. Errors as ExtractPackedData.
void LoadSkinFromFile(const vcl::String& FileName, std::unique_ptr<TacSkinConvertor>& Convertor, bool FreePackedData);

// Unpacks Convertor->PackedData from its start into Convertor's Options and Files. Data that does
// not begin with "ASzf" raises "Loaded data is not a packed skin file." and frees the convertor
// (Convertor becomes none; a lent PackedData survives). A count, name length or size that does not
// fit the data, or an entry that does not unpack to exactly its size and end with its checksum,
// raises EReadError; corrupt compressed data raises EZDecompressionError; data past
// MaxPackedFileBytes or entries past MaxUnpackedBytes together raise ESkinLimitError. What was
// unpacked before an error stays until the convertor is cleared.
void ExtractPackedData(std::unique_ptr<TacSkinConvertor>& Convertor);

// Packs the skin files of a folder (the ".dat" files, then ".bmp", ".png" and ".jpg", each kind in
// name order; folders and names beginning with "." left out) into FileName, written whole at the
// end. A folder without such files writes nothing.
void PackDir(const vcl::String& SrcPath, const vcl::String& FileName);

// Writes every file of a packed skin file into DestDir (made when missing, one level), replacing
// files of the same names. A file that is not a packed skin is only reported in a warning box.
// Nothing is written when the package is damaged or an entry's name is not a plain file name (a
// path separator, a drive colon or ".."): those raise.
void UnpackSkinFile(const vcl::String& FileName, const vcl::String& DestDir);

}  // namespace skin
