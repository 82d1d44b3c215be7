#include "sound/cue_queue.h"

#include <algorithm>

void CueQueue::push(const SoundCommand &command)
{
    if (command.kind == SoundCommand::Stop && !waiting.empty()) {
        const auto lastName = std::find_if(waiting.rbegin(), waiting.rend(), [](const SoundCommand &waited) {
            return waited.kind == SoundCommand::FileName;
        });
        std::optional<SoundCommand> name;
        if (lastName != waiting.rend())
            name = *lastName;
        waiting.clear();
        if (name)
            waiting.push_back(*name);
    }
    if (command.kind == SoundCommand::FileName) {
        // A name that no "Open" used yet is replaced by the new one.
        for (auto waited = waiting.rbegin(); waited != waiting.rend() && waited->kind != SoundCommand::Open;
             ++waited) {
            if (waited->kind == SoundCommand::FileName) {
                waiting.erase(std::next(waited).base());
                break;
            }
        }
    }
    waiting.push_back(command);
}

std::optional<SoundCommand> CueQueue::take()
{
    if (waiting.empty())
        return std::nullopt;
    SoundCommand next = std::move(waiting.front());
    waiting.pop_front();
    return next;
}
