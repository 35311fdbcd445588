#pragma once
// INI storage: the system's profile functions (TIniFile) and INI text held in memory (TMemIniFile).

#include "vcl/classes.h"
#include "vcl/initext.h"

namespace vcl {

// Text reads and writes belong to the descendant; typed values are text underneath.
class TCustomIniFile : public TObject {
    CL_CLASS(TCustomIniFile, TObject)
public:
    explicit TCustomIniFile(const String& FileName) : FFileName(FileName) {}

    const String& FileName() const { return FFileName; }

    virtual String ReadString(const String& Section, const String& Ident, const String& Default) const = 0;
    // A failed write raises EIniFileException.
    virtual void WriteString(const String& Section, const String& Ident, const String& Value) = 0;
    // Clears Strings and fills it with the section names, in file order.
    virtual void ReadSections(TStrings* Strings) const = 0;
    // Clears Strings and fills it with the key names of Section, in file order.
    virtual void ReadSection(const String& Section, TStrings* Strings) const = 0;
    // Brings the file on disk up to date with every write made so far.
    virtual void UpdateFile() = 0;

    // Decimal, or hexadecimal behind "$" or "0x"; a missing key or a text that does not convert
    // (such as "12abc") gives Default. Stores that keep numbers apart from text override both.
    virtual Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
    virtual void WriteInteger(const String& Section, const String& Ident, Integer Value);
    // With the decimal separator of the user's number format; otherwise Default.
    Double ReadFloat(const String& Section, const String& Ident, Double Default) const;

private:
    String FFileName;
};

// The system's profile functions over one file. Every write reaches the disk before it returns.
class TIniFile : public TCustomIniFile {
    CL_CLASS(TIniFile, TCustomIniFile)
public:
    using TCustomIniFile::TCustomIniFile;

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    void UpdateFile() override;
};

// INI text parsed into memory (TIniText gives the parse rules); written back only by UpdateFile.
// Sections and keys keep text order; when a section or a key repeats, look-ups find the first
// (the later ones are kept for UpdateFile). Names compare without case, as the user's locale
// compares them, unless CaseSensitive is set. Look-ups are hashed.
class TMemIniFile : public TCustomIniFile {
    CL_CLASS(TMemIniFile, TCustomIniFile)
public:
    // Reads FileName when it exists; a missing file gives an empty object.
    explicit TMemIniFile(const String& FileName);

    bool CaseSensitive() const { return FText.CaseSensitive(); }
    void SetCaseSensitive(bool value) { FText.SetCaseSensitive(value); }

    // Replaces the whole content with the text of List / writes the content as INI text into List.
    void SetStrings(const TStrings* List);
    void GetStrings(TStrings* List) const;
    // The content, for readers that walk all of it.
    const TIniText& Text() const { return FText; }

    String ReadString(const String& Section, const String& Ident, const String& Default) const override;
    void WriteString(const String& Section, const String& Ident, const String& Value) override;
    void ReadSections(TStrings* Strings) const override;
    void ReadSection(const String& Section, TStrings* Strings) const override;
    // Writes the content to FileName; failure raises EIniFileException.
    void UpdateFile() override;

private:
    TIniText FText;
    TTextEncoding FEncoding = TTextEncoding::Ansi;  // UpdateFile writes what the constructor read
};

}  // namespace vcl
