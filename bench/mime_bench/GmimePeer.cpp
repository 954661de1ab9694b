#include "GmimePeer.h"

#include <gmime/gmime.h>

namespace vantor::bench {

// Each message wrapped once in a byte array that GMime reads without copying it.
struct GmimePeer::Buffers
{
    std::vector<GByteArray*> arrays;
};

namespace {

struct DecodeCount
{
    GMimeStream* sink;
    std::size_t bytes;
};

void decodeLeaf(GMimeObject* /*parent*/, GMimeObject* part, gpointer data)
{
    auto* count = static_cast<DecodeCount*>(data);
    if (!GMIME_IS_PART(part))
        return;
    GMimeDataWrapper* content = g_mime_part_get_content(reinterpret_cast<GMimePart*>(part));
    if (content == nullptr)
        return;
    const gint64 written = g_mime_data_wrapper_write_to_stream(content, count->sink);
    if (written > 0)
        count->bytes += static_cast<std::size_t>(written);
}

} // namespace

GmimePeer::GmimePeer(const std::vector<std::string>& corpus)
    : m_buffers(new Buffers)
{
    // GMime cannot be set up again after a shutdown, and the benchmark makes its peer several times.
    static const bool initialised = [] {
        g_mime_init();
        return true;
    }();
    (void)initialised;
    for (const auto& message : corpus) {
        GByteArray* array = g_byte_array_sized_new(static_cast<guint>(message.size()));
        g_byte_array_append(array, reinterpret_cast<const guint8*>(message.data()),
                            static_cast<guint>(message.size()));
        m_buffers->arrays.push_back(array);
    }
}

GmimePeer::~GmimePeer()
{
    for (GByteArray* array : m_buffers->arrays)
        g_byte_array_unref(array);
    delete m_buffers;
}

std::size_t GmimePeer::parseAll()
{
    DecodeCount count{g_mime_stream_null_new(), 0};
    for (GByteArray* array : m_buffers->arrays) {
        GMimeStream* stream = g_mime_stream_mem_new_with_byte_array(array);
        g_mime_stream_mem_set_owner(reinterpret_cast<GMimeStreamMem*>(stream), FALSE);
        GMimeParser* parser = g_mime_parser_new_with_stream(stream);
        GMimeMessage* message = g_mime_parser_construct_message(parser, nullptr);
        if (message != nullptr) {
            g_mime_message_foreach(message, decodeLeaf, &count);
            g_object_unref(message);
        }
        g_object_unref(parser);
        g_object_unref(stream);
    }
    g_object_unref(count.sink);
    return count.bytes;
}

} // namespace vantor::bench
