# Writes the word counts of data/subtlex/words.tsv into a C++ source, so that the program
# carries them: cmake -DIN=words.tsv -DOUT=counts.cpp -P embed_counts.cmake
file(READ ${IN} counts)
file(WRITE ${OUT} "// Made from data/subtlex/words.tsv by cmake/embed_counts.cmake.\n"
                  "#include \"engine/rank/commonness.h\"\n\n"
                  "std::string_view wk::Commonness::builtInCounts() {\n"
                  "  static const char counts[] = R\"wkcounts(${counts})wkcounts\";\n"
                  "  return {counts, sizeof counts - 1};\n}\n")
