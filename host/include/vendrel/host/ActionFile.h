// Action files: a filter's recorded descriptor as readable JSON, named by the module's terminology.
//   {"tolerance": 10, "fillcolor": {"red": 65535, "green": 0, "blue": 0}, "palette": "Pastels.aco",
//    "randomcolors": false, ...}
// Integers ('long') are JSON integers, booleans ('bool') JSON booleans, colours ('Clr ', stored as objects of
// class 'RGBC') objects with red, green and blue from 0 to 65535, paths and text strings.
#pragma once

#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "Descriptor.h"
#include "PendingFile.h"
#include "PluginModule.h"

namespace vendrel {

// The host's own steps around the filter that an action holds beside the filter's settings (the flatting
// stages): each a name with an integer, a switch or a text, kept in the file under "stages", apart from the
// settings, in the order given.
//   {"tolerance": 10, ..., "stages": {"close-gaps": 6, "flats": true}}
using ActionStepValue = std::variant<int32_t, bool, std::string>;
using ActionSteps = std::vector<std::pair<std::string, ActionStepValue>>;

struct Action {
    Descriptor settings;
    ActionSteps steps; // empty when the file has no "stages"
};

// The JSON text of a descriptor. Throws HostError for a key the terminology does not name or a value that
// does not fit the key's type.
std::string actionText(const Descriptor& descriptor, const AeteInfo& terminology);
// The same with the host's steps under "stages" (none when steps is empty).
std::string actionText(const Descriptor& descriptor, const AeteInfo& terminology, const ActionSteps& steps);

// The descriptor of a JSON text, keys in the order of the text. Throws HostError naming the key at fault
// ("action file: \"tolerance\" must be an integer").
Descriptor parseActionText(const std::string& text, const AeteInfo& terminology);
// The settings and the host's steps of a JSON text. Throws HostError as parseActionText does, and for steps that
// are not an object of integers, switches and texts.
Action parseAction(const std::string& text, const AeteInfo& terminology);

// The largest action file read: a recorded action is a few hundred bytes.
constexpr uint64_t maxActionFileBytes = 1 << 20;

// Reads an action file, which must be a regular file of at most maxActionFileBytes. Throws HostError.
Descriptor readActionFile(const std::string& path, const AeteInfo& terminology);
// Reads an action file with its host steps. Throws HostError.
Action readAction(const std::string& path, const AeteInfo& terminology);
// Writes an action into a pending file; the caller puts it in place. Throws HostError.
void writeActionFile(PendingFile& file, const Descriptor& descriptor, const AeteInfo& terminology,
                     const ActionSteps& steps = {});
// Writes an action file, replacing any former file as a whole. Throws HostError.
void writeActionFile(const std::string& path, const Descriptor& descriptor, const AeteInfo& terminology);

} // namespace vendrel
