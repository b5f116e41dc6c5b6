#include "ui/loader/property_conversion.h"

#include <algorithm>
#include <cstring>

#include "runtime/conversions.h"
#include "runtime/text_block.h"

namespace velmora {

namespace {

// LOGFONTA, 60 bytes:
//   +0 i32 lfHeight  +4 i32 lfWidth  +8 i32 lfEscapement  +12 i32 lfOrientation
//   +16 i32 lfWeight  +20 u8 lfItalic  +21 u8 lfUnderline  +22 u8 lfStrikeOut
//   +23 u8 lfCharSet  +24..27 precision, quality, pitch  +28 char lfFaceName[32]
constexpr size_t kHeight = 0, kEscapement = 8, kOrientation = 12, kWeight = 16, kItalic = 20,
                 kUnderline = 21, kStrikeOut = 22, kFaceName = 28, kFaceNameSize = 32;
constexpr int32_t kBoldWeight = 700, kNormalWeight = 400;

int32_t GetI32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return static_cast<int32_t>(v);
}

void PutI32(std::string& b, size_t at, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>(v >> (8 * i));
}

bool IsTextKind(PropertyKind kind) {
    return kind == PropertyKind::kText || kind == PropertyKind::kFileName ||
           kind == PropertyKind::kDataSource || kind == PropertyKind::kDataField;
}

// Fonts included: their raw value is a LOGFONTA record.
bool IsByteDataKind(PropertyKind kind) {
    return kind == PropertyKind::kPicture || kind == PropertyKind::kIcon ||
           kind == PropertyKind::kMousePointer || kind == PropertyKind::kSound ||
           kind == PropertyKind::kFont;
}

// The text in a zero-padded field of `size` bytes at `at`.
std::string PaddedText(const std::string& b, size_t at, size_t size) {
    std::string field = b.substr(at, size);
    return field.substr(0, field.find('\0'));
}

// Points from a LOGFONT height, the way a font dialog shows them.
int32_t PointsFromHeight(int32_t height, int logPixelsY) {
    if (logPixelsY <= 0)
        logPixelsY = 96;
    int64_t h = height < 0 ? -static_cast<int64_t>(height) : height;
    return static_cast<int32_t>((h * 72 + logPixelsY / 2) / logPixelsY);
}

int32_t HeightFromPoints(int32_t points, int logPixelsY) {
    if (logPixelsY <= 0)
        logPixelsY = 96;
    int64_t p = std::clamp<int64_t>(points, 0, 0x7FFF);
    return -static_cast<int32_t>((p * logPixelsY + 36) / 72);
}

}  // namespace

TypedValue MakeByteData(const std::string& bytes) {
    TypedValue v =
        MakeText(reinterpret_cast<const char*>(NewByteBlock(bytes.data(), bytes.size())));
    v.tag = kTagByteData;
    return v;
}

int32_t ClampPosition(int32_t v) {
    return std::clamp(v, -kMaxCoordinate, kMaxCoordinate);
}

int32_t ClampSize(int32_t v) {
    return std::clamp(v, 0, kMaxCoordinate);
}

std::optional<int32_t> IntegerOf(const TypedValue& value) {
    switch (value.tag) {
        case kTagOmitted:
            return 0;
        case kTagByte:
        case kTagShort:
        case kTagInteger:
        case kTagLong:  // the low 32 bits, as every 32-bit property takes them
        case kTagLogical:
            return static_cast<int32_t>(value.low);
        case kTagFloat: {
            float f;
            std::memcpy(&f, &value.low, sizeof f);
            return LowInteger(TruncateToInteger(f));
        }
        case kTagDouble:
            return LowInteger(TruncateToInteger(DoubleOf(value)));
        default:
            return std::nullopt;
    }
}

std::optional<std::string> TextValueOf(const TypedValue& value) {
    if (value.tag == kTagText) {
        const char* text = TextOf(value);
        return std::string(text ? text : "");
    }
    if (value.tag == kTagOmitted)
        return std::string();
    if (value.tag == kTagByte || value.tag == kTagShort || value.tag == kTagInteger)
        return std::to_string(static_cast<int32_t>(value.low));
    return std::nullopt;
}

std::optional<std::string> BytesValueOf(const TypedValue& value) {
    if (value.tag == kTagByteData)
        return ByteBlockContents(reinterpret_cast<const uint8_t*>(TextOf(value)));
    if (value.tag == kTagOmitted || (value.tag == kTagText && !TextOf(value)))
        return std::string();
    return std::nullopt;
}

TypedValue TypedFromRaw(PropertyKind kind, const RawValue& raw) {
    if (IsTextKind(kind))
        return MakeText(NewTextBlock(raw.bytes));
    if (IsByteDataKind(kind))
        return MakeByteData(raw.bytes);
    if (kind == PropertyKind::kLogical)
        return MakeLogical(static_cast<uint32_t>(raw.number) == 1);
    return MakeInteger(static_cast<int32_t>(raw.number));
}

std::optional<RawValue> RawFromTyped(PropertyKind kind, const TypedValue& value) {
    RawValue raw;
    if (IsTextKind(kind)) {
        std::optional<std::string> text = TextValueOf(value);
        if (!text)
            return std::nullopt;
        raw.bytes = std::move(*text);
    } else if (IsByteDataKind(kind)) {
        std::optional<std::string> bytes = BytesValueOf(value);
        if (!bytes)
            return std::nullopt;
        raw.bytes = std::move(*bytes);
    } else {
        std::optional<int32_t> number = IntegerOf(value);
        if (!number)
            return std::nullopt;
        if (kind == PropertyKind::kLogical)
            raw.number = *number != 0 ? 1 : 0;
        else
            raw.number = static_cast<uint32_t>(*number);
    }
    return raw;
}

TypedValue ReadFontMember(const std::string& logFont, int member, int logPixelsY) {
    std::string lf = logFont;
    lf.resize(kLogFontSize, '\0');
    switch (member) {
        case kFontAngle:
            return MakeInteger(GetI32(lf, kEscapement));
        case kFontBold:
            return MakeLogical(GetI32(lf, kWeight) >= kBoldWeight);
        case kFontItalic:
            return MakeLogical(lf[kItalic] != 0);
        case kFontStrikeOut:
            return MakeLogical(lf[kStrikeOut] != 0);
        case kFontUnderline:
            return MakeLogical(lf[kUnderline] != 0);
        case kFontSize:
            return MakeInteger(PointsFromHeight(GetI32(lf, kHeight), logPixelsY));
        case kFontFaceName:
            return MakeText(NewTextBlock(PaddedText(lf, kFaceName, kFaceNameSize)));
        case kWholeFont: {
            // Six i32 members, then the face name.
            std::string record(kFontRecordSize, '\0');
            for (int i = 0; i < 6; ++i)
                PutI32(record, 4 * i, static_cast<int32_t>(ReadFontMember(lf, i, logPixelsY).low));
            const std::string face = PaddedText(lf, kFaceName, kFaceNameSize);
            record.replace(24, face.size(), face);
            return MakeByteData(record);
        }
        default:
            return TypedValue{};
    }
}

std::string WriteFontMember(const std::string& logFont, int member, const TypedValue& value,
                            int logPixelsY) {
    std::string lf = logFont;
    lf.resize(kLogFontSize, '\0');
    auto setFace = [&lf](std::string face) {
        if (face.empty() || face.size() >= kFaceNameSize)
            face = "宋体";
        std::string field(kFaceNameSize, '\0');
        field.replace(0, face.size(), face);
        lf.replace(kFaceName, kFaceNameSize, field);
    };
    // Members are numbers, the face a text, the whole font byte data; a value of
    // another kind changes nothing.
    const std::optional<int32_t> number = IntegerOf(value);
    if (member >= kFontAngle && member <= kFontSize && !number)
        return logFont;
    const uint32_t flag = number ? static_cast<uint32_t>(*number) : 0;
    switch (member) {
        case kFontAngle: {
            int32_t angle = *number % 3600;
            if (angle < 0)
                angle += 3600;
            PutI32(lf, kEscapement, angle);
            PutI32(lf, kOrientation, angle);
            break;
        }
        case kFontBold:
            PutI32(lf, kWeight, flag ? kBoldWeight : kNormalWeight);
            break;
        case kFontItalic:
            lf[kItalic] = flag ? 1 : 0;
            break;
        case kFontStrikeOut:
            lf[kStrikeOut] = flag ? 1 : 0;
            break;
        case kFontUnderline:
            lf[kUnderline] = flag ? 1 : 0;
            break;
        case kFontSize:
            PutI32(lf, kHeight, HeightFromPoints(*number, logPixelsY));
            break;
        case kFontFaceName: {
            std::optional<std::string> text = TextValueOf(value);
            if (!text)
                return logFont;
            setFace(*text);
            break;
        }
        case kWholeFont: {
            std::string bytes = BytesValueOf(value).value_or(std::string());
            if (bytes.size() == kLogFontSize)
                return bytes;
            if (bytes.size() != kFontRecordSize)
                return logFont;
            for (int i = 0; i < 6; ++i)
                lf = WriteFontMember(lf, i, MakeInteger(GetI32(bytes, 4 * i)), logPixelsY);
            setFace(PaddedText(bytes, 24, kFaceNameSize));
            break;
        }
        default:
            return logFont;
    }
    return lf;
}

}  // namespace velmora
