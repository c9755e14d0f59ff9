#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

// Reads arbitrary bytes as RTF into a document and checks what any input
// must give: no crash, no more characters than bytes read, the same text
// whether the document was empty or held an older text (the reader replaces
// it), and a document the viewer can lay out at its width. Needs a
// QGuiApplication. Returns the broken rule, or nullopt.
std::optional<std::string> checkRtfInput(const uint8_t* data, size_t size);
