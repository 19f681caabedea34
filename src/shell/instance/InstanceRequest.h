#pragma once

namespace kvel {

// What a second start of the program asks of the running one. The numbers are
// what travels over the instance socket, one per line, so other programs can
// send them too.
enum class InstanceRequest
{
    ToggleBar = 2027,      // started without words
    LookUpHandOver = 2028, // started with words, left in the settings' "IE" section
    Quit = 2029,           // save and quit
};

} // namespace kvel
