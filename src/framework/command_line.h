// How the framework hands the program's arguments to a command-line parser, one call per argument.
#pragma once

// Calls parse(text, isFlag, isLast) for each argument after the program name, in order. An argument
// that begins with '/' or '-' is a flag and reaches parse without that one character.
template <class Parse>
void ForEachCommandLineParam(int argc, const char* const* argv, Parse parse)
{
    for (int i = 1; i < argc; ++i) {
        const char* text = argv[i] ? argv[i] : "";
        const bool isFlag = text[0] == '/' || text[0] == '-';
        parse(isFlag ? text + 1 : text, isFlag, i == argc - 1);
    }
}
