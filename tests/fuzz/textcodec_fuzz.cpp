// Any bytes as a text file: UTF-8 with or without its byte-order mark, UTF-16 with one, else
// Windows-1250. Whatever decodes comes back the same after the program writes it as UTF-8 and reads it.
#include "fuzz/fuzzinput.h"
#include "storage/textcodec.h"

using namespace tavrok;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzz::bytesOf(data, size);
    const TextEncoding encoding = detectTextEncoding(bytes);
    const std::optional<QString> text = tryDecodeTextFile(bytes);
    FUZZ_CHECK(text.has_value() == (encoding != TextEncoding::Undecodable), "detection and decoding agree");
    (void)decodeWindows1250(bytes);
    (void)decodeTextFile(bytes);
    if (!text || !text->isValidUtf16() || text->startsWith(QChar(0xFEFF))) {
        return 0; // a lone surrogate has no UTF-8 form; a leading mark would be read as the file's own
    }
    const std::optional<QString> again = tryDecodeTextFile(text->toUtf8());
    FUZZ_CHECK(again && *again == *text, "text written as UTF-8 reads back unchanged");
    return 0;
}
