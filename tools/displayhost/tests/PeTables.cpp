#include "PeTables.h"

#include <cstdint>
#include <cstring>

namespace shelltest {

namespace {

class Image {
  public:
    explicit Image(const std::string& bytes) : m_bytes(bytes) {}

    template <typename T>
    bool Read(size_t offset, T* out) const {
        if (offset > m_bytes.size() || m_bytes.size() - offset < sizeof(T)) return false;
        std::memcpy(out, m_bytes.data() + offset, sizeof(T));
        return true;
    }

    bool ReadString(size_t offset, std::string* out) const {
        if (offset >= m_bytes.size()) return false;
        size_t end = m_bytes.find('\0', offset);
        if (end == std::string::npos) return false;
        *out = m_bytes.substr(offset, end - offset);
        return true;
    }

    struct Section {
        uint32_t rva, size, fileOffset, fileSize;
    };
    std::vector<Section> sections;

    // File offset of a relative virtual address, or 0 when no section holds it.
    size_t Offset(uint32_t rva) const {
        for (const Section& s : sections) {
            uint32_t extent = s.size > s.fileSize ? s.size : s.fileSize;
            if (rva >= s.rva && rva - s.rva < extent) return s.fileOffset + (rva - s.rva);
        }
        return 0;
    }

  private:
    const std::string& m_bytes;
};

constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr uint16_t kPe32Magic = 0x10B;

bool ReadImportNames(const Image& image, uint32_t rva, size_t descriptorSize, size_t nameField,
                     std::vector<std::string>* names, std::string* error) {
    if (rva == 0) return true;
    size_t at = image.Offset(rva);
    if (!at) {
        *error = "import table outside every section";
        return false;
    }
    for (;; at += descriptorSize) {
        uint32_t nameRva = 0;
        if (!image.Read(at + nameField, &nameRva)) {
            *error = "import table runs past the file";
            return false;
        }
        if (nameRva == 0) return true;
        std::string name;
        size_t nameAt = image.Offset(nameRva);
        if (!nameAt || !image.ReadString(nameAt, &name)) {
            *error = "import name outside the file";
            return false;
        }
        names->push_back(name);
    }
}

}  // namespace

PeTables ReadPeTables(const std::string& bytes) {
    PeTables t;
    Image image(bytes);
    uint16_t mz = 0;
    uint32_t peOffset = 0, signature = 0;
    if (!image.Read(0, &mz) || mz != 0x5A4D || !image.Read(0x3C, &peOffset) ||
        !image.Read(peOffset, &signature) || signature != kPeSignature) {
        t.error = "not a PE file";
        return t;
    }
    const size_t coff = peOffset + 4;
    uint16_t sectionCount = 0, optionalSize = 0, magic = 0;
    image.Read(coff + 2, &sectionCount);
    image.Read(coff + 16, &optionalSize);
    const size_t optional = coff + 20;
    if (!image.Read(optional, &magic) || magic != kPe32Magic) {
        t.error = "not a 32-bit PE image";
        return t;
    }
    uint32_t directoryCount = 0;
    image.Read(optional + 92, &directoryCount);
    auto directory = [&](unsigned index) {
        uint32_t rva = 0;
        if (index < directoryCount) image.Read(optional + 96 + 8 * index, &rva);
        return rva;
    };

    const size_t sectionTable = optional + optionalSize;
    for (unsigned i = 0; i < sectionCount; ++i) {
        Image::Section s{};
        size_t at = sectionTable + 40 * i;
        if (!image.Read(at + 8, &s.size) || !image.Read(at + 12, &s.rva) ||
            !image.Read(at + 16, &s.fileSize) || !image.Read(at + 20, &s.fileOffset)) {
            t.error = "section table runs past the file";
            return t;
        }
        image.sections.push_back(s);
    }

    if (uint32_t exportRva = directory(0)) {
        size_t at = image.Offset(exportRva);
        uint32_t functions = 0, names = 0, namesRva = 0;
        if (!at || !image.Read(at + 20, &functions) || !image.Read(at + 24, &names) ||
            !image.Read(at + 32, &namesRva)) {
            t.error = "export directory outside the file";
            return t;
        }
        t.exportedFunctions = functions;
        size_t nameTable = image.Offset(namesRva);
        for (uint32_t i = 0; i < names; ++i) {
            uint32_t nameRva = 0;
            std::string name;
            if (!nameTable || !image.Read(nameTable + 4 * i, &nameRva) ||
                !image.ReadString(image.Offset(nameRva), &name)) {
                t.error = "export name outside the file";
                return t;
            }
            t.exports.push_back(name);
        }
    }
    // IMAGE_IMPORT_DESCRIPTOR: 20 bytes, name at 12; delay-load descriptor: 32 bytes, name at 4.
    if (!ReadImportNames(image, directory(1), 20, 12, &t.imports, &t.error) ||
        !ReadImportNames(image, directory(13), 32, 4, &t.delayImports, &t.error))
        return t;
    t.valid = true;
    return t;
}

}  // namespace shelltest
