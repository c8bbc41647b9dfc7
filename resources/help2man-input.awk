# Shapes a program's --help text the way help2man reads it, leaving the words alone: the
# usage block becomes one "Usage:" line and an "or:" line per form, wrapped lines joined;
# a command name followed by a single blank gets a second one, so it becomes a list item.
BEGIN { usage = 1 }
usage && /^$/ { print line; usage = 0; print; next }
usage && NR == 1 { sub(/^usage:/, "Usage:"); line = $0; next }
usage && /^ +\[/ { sub(/^ +/, " "); line = line $0; next }
usage { print line; sub(/^ +/, "  or: "); line = $0; next }
/^  [a-z][a-z-]* [^ ]/ { n = index(substr($0, 3), " "); $0 = substr($0, 1, n + 2) " " substr($0, n + 3) }
{ print }
END { if (usage) print line }
