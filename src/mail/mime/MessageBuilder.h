#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vantor::mail::mime {

class MailMessage;
class MimePart;

// The building operations of a message: container structure, text bodies, attachments and the
// multipart body text. Parts in transit between containers are held here until they are placed.
class MessageBuilder
{
public:
    explicit MessageBuilder(MailMessage& message)
        : m_message(message)
    {}

    // What a rebuild makes room for beyond the parts the message holds.
    enum class Coming
    {
        Nothing,
        TextPart,
        Attachment,
        EmbeddedPart
    };

    // Rebuilds the containers only when the structure is stale (a parsed message before its first change).
    void restructureWhenStale();
    // Rebuilds the containers to fit the parts present plus the one coming; new boundaries every time.
    void restructure(Coming coming = Coming::Nothing);
    MimePart* setTextPart(std::string_view text, MimePart* part, std::string_view mimeType);
    void attachFile(const std::filesystem::path& fileName, std::string_view mimeType, bool embedded);
    void attachStream(std::string_view bytes, std::string_view fileName, bool embedded,
                      std::string_view mimeType);
    void detachFile(int index);
    void assembleBody();

private:
    struct Containers
    {
        MimePart* mixed = nullptr;
        MimePart* related = nullptr;
        MimePart* alternative = nullptr;
    };

    void moveOwnBody();
    void holdPlacedParts();
    void resetMessageFields();
    Containers makeContainers(int texts, int attachments, int embedded);
    MimePart* newContainer(MimePart* outer, std::string_view type, std::string_view suffix);
    MimePart* placeText(MimePart* part, std::string_view type);
    MimePart* placeAttachment(MimePart* part, const Containers& containers);
    void makeMessageTheAttachment(MimePart& part);
    std::unique_ptr<MimePart> take(MimePart* part);
    MimePart* newChild(MimePart& container, std::size_t index = static_cast<std::size_t>(-1));

    MailMessage& m_message;
    std::vector<std::unique_ptr<MimePart>> m_held;
};

} // namespace vantor::mail::mime
