// The string table of the fuzzers' host build: each id gives a text of its own.
#include "ui/ResourceText.h"

std::string LoadResString(UINT id)
{
    return "text " + std::to_string(id);
}

std::string LoadPromptString(UINT id)
{
    return LoadResString(id);
}
