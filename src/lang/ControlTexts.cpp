#include "lang/ControlTexts.h"

#include "lang/KeyTable.h"
#include "lang/TextSlots.h"

namespace dravinor::lang {

ControlTexts::ControlTexts(const LanguageFileContent& content, CodePage codePage)
{
    SingleByteDecoder decoder(codePage);
    for (const KeyedText& line : content.lines) {
        const std::string text = content.encoding == TextEncoding::Utf8 ? line.text : decoder.toUtf8(line.text);
        if (textSlots().has(line.key)) {
            textSlots().set(line.key, text);
            continue;
        }
        for (const KeyTarget& target : targetsOf(line.key)) {
            if (target.kind == TargetKind::Caption)
                captions_[target.name] = text;
            else if (target.kind == TargetKind::Tab)
                tabs_[target.name] = text;
            else if (target.kind == TargetKind::ListItem)
                items_[{target.name, target.item}] = text;
        }
    }
}

std::string ControlTexts::caption(std::string_view name) const
{
    const auto found = captions_.find(name);
    return found == captions_.end() ? std::string() : found->second;
}

std::string ControlTexts::tabCaption(std::string_view name) const
{
    const auto found = tabs_.find(name);
    return found == tabs_.end() ? std::string() : found->second;
}

std::string ControlTexts::listItem(std::string_view name, int item) const
{
    const auto found = items_.find({std::string(name), item});
    return found == items_.end() ? std::string() : found->second;
}

}  // namespace dravinor::lang
