// The own-property part of `velmora-tool descriptions`: each unit's block decoded
// by its control type and listed by property index, name and kind.
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/byte_reader.h"
#include "tools/velmora-tool/text_output.h"
#include "ui/controls/control_types.h"

namespace velmora::tool {

namespace {

bool IsTextKind(PropertyKind kind) {
    return kind == PropertyKind::kText || kind == PropertyKind::kFileName ||
           kind == PropertyKind::kDataSource || kind == PropertyKind::kDataField;
}

// Pictures, icons, pointers, sounds and fonts: a length and bytes.
bool IsBytesKind(PropertyKind kind) {
    return kind == PropertyKind::kPicture || kind == PropertyKind::kIcon ||
           kind == PropertyKind::kMousePointer || kind == PropertyKind::kSound ||
           kind == PropertyKind::kFont;
}

// Text as UTF-8 in quotes, control characters escaped.
std::string QuotedText(const std::string& gbk) {
    std::string out = "\"";
    for (char c : Utf8FromGbk(gbk)) {
        switch (c) {
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\0':
                out += "\\0";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char esc[8];
                    std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned char>(c));
                    out += esc;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

// What the bytes look like: image format and size, or a LOGFONTA's face.
std::string DescribeBytes(PropertyKind kind, const std::string& b) {
    char buf[128];
    if (kind == PropertyKind::kFont && b.size() == 60) {
        // LOGFONTA: +0 i32 height, +16 i32 weight, +20 italic, +28 32-byte face name
        ByteReader r(reinterpret_cast<const uint8_t*>(b.data()), b.size());
        int32_t height = r.I32();
        r.Skip(12);
        int32_t weight = r.I32();
        std::string face = b.substr(28, 32);
        face = face.substr(0, face.find('\0'));
        std::snprintf(buf, sizeof buf, "LOGFONTA height %d weight %d face ", height, weight);
        return buf + QuotedText(face);
    }
    if (kind == PropertyKind::kFont)
        return "not a LOGFONTA record (no font)";
    if (b.size() >= 10 && (b.compare(0, 6, "GIF89a") == 0 || b.compare(0, 6, "GIF87a") == 0)) {
        ByteReader r(reinterpret_cast<const uint8_t*>(b.data()) + 6, 4);
        unsigned w = r.U16(), h = r.U16();
        std::snprintf(buf, sizeof buf, "%s image %ux%u", b.substr(0, 6).c_str(), w, h);
        return buf;
    }
    if (b.size() >= 2 && b.compare(0, 2, "BM") == 0)
        return "Windows bitmap";
    if (b.size() >= 6 && b[0] == 0 && b[1] == 0 && (b[2] == 1 || b[2] == 2) && b[3] == 0) {
        return b[2] == 1 ? "icon file" : "cursor file";
    }
    if (b.size() >= 4 && b.compare(0, 4, "MITL") == 0)
        return "image list";
    return HexBytes(b);
}

std::string ValueText(const OwnPropertyValue& v) {
    const PropertyKind kind = v.info->kind;
    char buf[64];
    if (IsTextKind(kind))
        return QuotedText(v.bytes);
    if (IsBytesKind(kind)) {
        if (v.bytes.empty())
            return "empty";
        std::snprintf(buf, sizeof buf, "%zu bytes: ", v.bytes.size());
        return buf + DescribeBytes(kind, v.bytes);
    }
    switch (kind) {
        case PropertyKind::kColour:
            std::snprintf(buf, sizeof buf, "0x%08X", v.number);
            return buf;
        case PropertyKind::kBackgroundColour:
            std::snprintf(buf, sizeof buf, "0x%08X%s", v.number,
                          v.number == kSystemDefaultColour ? " (system default)" : "");
            return buf;
        case PropertyKind::kGradientColour:
            std::snprintf(buf, sizeof buf, "0x%08X%s", v.number,
                          v.number == kSystemDefaultColour ? " (not used)" : "");
            return buf;
        default:
            std::snprintf(buf, sizeof buf, "%d", static_cast<int32_t>(v.number));
            return buf;
    }
}

}  // namespace

bool PrintOwnProperties(uint32_t typeCode, const std::string& ownData) {
    const ControlTypeInfo* type = FindControlTypeInfo(typeCode);
    if (!type) {
        std::printf("    own data of unknown type 0x%08X: %s\n", typeCode,
                    HexBytes(ownData).c_str());
        return false;
    }
    std::vector<OwnPropertyValue> values;
    OwnDataError e = ListOwnProperties(typeCode, reinterpret_cast<const uint8_t*>(ownData.data()),
                                       ownData.size(), values);
    if (e != OwnDataError::kNone) {
        std::printf("    %s own data is invalid: %s\n", type->name, OwnDataErrorText(e));
        return false;
    }
    if (ownData.empty()) {
        std::printf("    %s own data: none stored (all defaults)\n", type->name);
    } else {
        ByteReader r(reinterpret_cast<const uint8_t*>(ownData.data()), ownData.size());
        std::printf("    %s own data: format version %u\n", type->name, r.U32());
    }
    for (const OwnPropertyValue& v : values) {
        std::printf("      %2d %-18s %-18s %s\n", v.info->index, v.info->name,
                    PropertyKindName(v.info->kind), ValueText(v).c_str());
    }
    return true;
}

}  // namespace velmora::tool
