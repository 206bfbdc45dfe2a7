#pragma once

// Marks an English text that reaches the user, so that the translation tool collects it under
// `context` into the program's German translation. The text itself stays as written here;
// whoever shows it looks up its translation (ErrorManager::setTranslator).
#define TESSARO_TEXT(context, text) text
