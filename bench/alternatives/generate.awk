# The job of quillet-cli as one awk program, the way a user would write it to compare: the
# header, one copy of the base script per entry of the folder with the four placeholders
# replaced (literally, in quillet-cli's order, each pass resuming after what it inserted), the
# footer. awk cannot read a folder nor sort, so the names come through a pipe from
# `ls -f | sort -f`, which in the C locale gives quillet-cli's order (letters folded to upper
# case, ties by plain bytes). Names with a line break are beyond it.
#
#   awk -v base=FILE -v folder=DIR -v header=FILE -v footer=FILE -v out=FILE -f generate.awk

function slurp(path,    text, saved) {
    saved = RS
    RS = "^$"
    text = ""
    getline text < path
    close(path)
    RS = saved
    return text
}

function replace_all(text, token, value,    result, at, size) {
    size = length(token)
    result = ""
    while ((at = index(text, token)) > 0) {
        result = result substr(text, 1, at - 1) value
        text = substr(text, at + size)
    }
    return result text
}

BEGIN {
    template = slurp(base)
    command = "cd '" folder "' && pwd -P"
    command | getline root
    close(command)
    prefix = root == "/" ? "/" : root "/"

    printf "%s", slurp(header) > out
    listing = "ls -f '" folder "' | LC_ALL=C sort -f"
    while ((listing | getline name) > 0) {
        if (name == "." || name == "..") {
            continue
        }
        title = name
        if (match(name, /\.[^.]*$/)) {
            title = substr(name, 1, RSTART - 1)
        }
        title = substr(title, 1, 255)
        text = replace_all(template, "<TARGET_FOLDER>", folder)
        text = replace_all(text, "<TARGET_FILEPATH>", prefix name)
        text = replace_all(text, "<TARGET_FNAMEEXT>", name)
        text = replace_all(text, "<TARGET_FNAMETITLE>", title)
        printf "%s", text > out
    }
    close(listing)
    printf "%s", slurp(footer) > out
    close(out)
}
