#pragma once
// Malformed GIF data that the player tolerates, each with the behaviour chosen and
// the artificial test file (tests/data/picture/<name>.gif.txt) that probes it.
// The system's own rules come first (a trailer or 0x00 restarts the stream, an
// unknown block or extension ends the round, an invalid code abandons the image);
// these fill in where those rules are silent or would be unsafe.

namespace velmora {

enum class GifQuirk {
    // An image reaching outside the logical screen is clipped to it: the canvas is
    // exactly the logical screen and nothing may be written outside it.
    // frame_clipped.gif.txt
    kFrameClipped,

    // Decoding stops as soon as the image is full; LZW output beyond width x height
    // is dropped and the codes after it are never read (so even an invalid code
    // there does not abandon the image). excess_output.gif.txt
    kExcessOutputDropped,

    // An image of width or height 0 draws nothing; its data sub-blocks are skipped
    // and it ends its round like any image (so such images cannot make a round read
    // for ever). empty_image.gif.txt
    kEmptyImageDrawsNothing,

    // Image data that ends early - the file ends inside the sub-blocks, or an end
    // code comes before the image is full - keeps the pixels decoded; the rest of
    // the image's area stays as it was. truncated_image.gif.txt, early_end_code.gif.txt
    kTruncatedImageKeepsDecoded,

    // The end of the data where a block should start counts as the trailer: reading
    // goes back to the start of the stream. no_trailer.gif.txt
    kEndOfDataRestarts,

    // A round that reaches the end of the stream twice without an image ends without
    // one; a GIF in which a whole pass finds no image to draw is not shown at all
    // (without this, such a stream would be read round and round for ever).
    // no_image.gif.txt
    kNoImageInPass,

    // Palette entries beyond the colour table (and every entry when there is no
    // table) are black, as in a zero-filled 256-entry DIB palette; a transparent
    // index beyond the table thus makes black transparent. index_beyond_table.gif.txt
    kMissingColoursAreBlack,

    // An unknown extension label ends the round without an image, and its
    // sub-blocks are skipped so that the next round starts at the following block
    // rather than inside the extension's data. unknown_extension.gif.txt
    kUnknownExtensionSkipped,

    // A graphic control block shorter than its 4 bytes of fields sets nothing and is
    // skipped with its sub-blocks. short_graphic_control.gif.txt
    kShortGraphicControlIgnored,

    // A minimum code size outside 2..8 abandons the image: above 8 an index would
    // not fit in a byte, below 2 the code width rule of GIF's LZW does not hold.
    // bad_min_code_size.gif.txt
    kBadMinimumCodeSize,

    // After the 4096th table entry the decoder keeps reading 12-bit codes and adds
    // no entries until a clear code comes (the "deferred clear" some writers use).
    // Tested with generated codes in gif_lzw_test.cpp.
    kFullTableWithoutClear,

    // A logical screen without pixels, or larger than the canvas limit, is rejected;
    // an image larger than the frame limit is not decoded (its round ends without
    // an image). Tested with small limits in gif_test.cpp.
    kSizeLimits,
};

}  // namespace velmora
