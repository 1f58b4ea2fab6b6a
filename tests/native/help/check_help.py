#!/usr/bin/env python3
"""The help page explains every name a program can call, and every picture on it is what its
example program drew.
  check_help.py SOURCE_DIR HELP_DIR
HELP_DIR is the made page (index.html, images/); HELP_DIR-work holds the example programs,
their builds and the captures they wrote (scripts/make-help.sh)."""
import os
import re
import subprocess
import sys

failures = []


def html_escape(text):
    return text.replace('&', '&amp;').replace('<', '&lt;').replace('>', '&gt;')


def check(condition, message):
    if not condition:
        failures.append(message)


def logo_names(path):
    """Names logo.h gives programs: the pen's and the text style's calls, the global services
    (names with a leading underscore are the runtime's own, except the colour constants) and
    the colour constants."""
    text = open(path, encoding='utf-8').read()
    names = set(re.findall(r'^const int (_\w+) = \d+;', text, re.M))
    for cls in ('Tpen2', 'Ttext2'):
        body = re.search(r'class %s \{(.*?)\n\};' % cls, text, re.S).group(1)
        public = body.split('public:', 1)[1]
        for name in re.findall(r'^\s+(?:template <[^>]*>\s*)?[\w:&<>*]+\s+(\w+)\(', public, re.M):
            if name != 'operator' and not name.startswith('_'):
                names.add(name)
    for name in re.findall(r'^(?:void|string|bool|int) (\w+)\(', text, re.M):
        if not name.startswith('_') and name != 'work_zq':
            names.add(name)
    # The pen's operators and the canvas input box with its placement.
    return names | {'cout', 'cin', 'endl', '<<', '+', '-', '^', '_editin', '_setEdit'}


def tool_names(path):
    """The functions of a tool header outside its own helper namespaces."""
    names, depth = set(), 0
    for line in open(path, encoding='latin-1'):
        if re.match(r'namespace \w+ \{', line):
            depth += 1
        elif re.match(r'\}\s*// namespace', line):
            depth -= 1
        else:
            m = re.match(r'inline [\w&]+ (\w+)\(', line)
            if m and depth == 0:
                names.add(m.group(1))
    return names


def main():
    source, help_dir = sys.argv[1], sys.argv[2]
    work = help_dir + '-work'
    page = open(os.path.join(help_dir, 'index.html'), encoding='utf-8').read()
    documented = set(subprocess.run([sys.executable, os.path.join(source, 'scripts/help/make_help.py'), 'names',
                                     os.path.join(source, 'docs/help/topics.txt')],
                                    capture_output=True, text=True, check=True).stdout.split())
    expected = logo_names(os.path.join(source, 'runtime/logo.h'))
    tools = os.path.join(source, 'tools/qivplus.h')
    if os.path.exists(tools):
        expected |= tool_names(tools)
    check(len(expected) > 80, 'only %d names found in the headers: the header parsing broke' % len(expected))
    for name in sorted(expected):
        check(name in documented, 'no entry of the help page explains %s' % name)
        check(name in page or name.replace('<', '&lt;') in page, '%s does not appear on the page' % name)

    # The index lists every explained name once, each linking to an entry heading.
    index = page.split('<h2 id="index">', 1)[1] if '<h2 id="index">' in page else ''
    headings = set(re.findall(r'<h3 id="(c\d+_\d+)">', page))
    linked = re.findall(r'<a href="#(c\d+_\d+)"[^>]*>([^<]*)</a>', index)
    check(len(linked) >= len(documented), 'the index names %d of %d names' % (len(linked), len(documented)))
    for target, name in linked:
        check(target in headings, 'the index entry %s leads to no entry (%s)' % (name, target))
    for name in ('+', '-', '^', '_editin', '_setEdit'):
        check(html_escape(name) in [n for _, n in linked], 'the index does not list %s' % name)
    check('右边的图' not in page, 'the page speaks of a picture on the right; the pictures are below the examples')

    examples = [line.split('\t')[0] for line in open(os.path.join(work, 'src/examples.txt'), encoding='utf-8')
                if line.strip()]
    check(len(examples) >= 25, 'only %d examples were run' % len(examples))
    shown = set(re.findall(r'<img src="images/(ex_\d+)\.png"', page))
    check(shown == set(examples), 'pictures on the page %s differ from the examples run %s' % (sorted(shown),
                                                                                             sorted(examples)))
    for ex in examples:
        png = os.path.join(help_dir, 'images', ex + '.png')
        built = os.path.join(work, 'build', ex)
        capture = os.path.join(built, 'capture.bmp')
        check(os.path.exists(os.path.join(built, ex + '.exe')), '%s: no program' % ex)
        check(os.path.exists(png) and os.path.exists(capture), '%s: no picture or no capture' % ex)
        if not (os.path.exists(png) and os.path.exists(capture)):
            continue
        # The picture is, pixel for pixel, what the program captured of its own window.
        diff = subprocess.run(['compare', '-metric', 'AE', capture, png, 'null:'], capture_output=True, text=True)
        check(diff.stderr.strip() == '0', '%s: the picture differs from the capture in %s pixels' % (ex, diff.stderr))
        colours = subprocess.run(['identify', '-format', '%k', png], capture_output=True, text=True).stdout
        check(colours.isdigit() and int(colours) > 3, '%s: a blank picture (%s colours)' % (ex, colours))

    # Whatever an example writes with cout is on the page as text beside its picture, read
    # from its output pane; whole programs with their own main are among the examples.
    sources = {ex: open(os.path.join(work, 'src', ex + '.cpp'), encoding='gbk').read() for ex in examples}
    writers = [ex for ex in examples if 'cout <<' in sources[ex]]
    check(len(writers) >= 6, 'only %d examples write to the output pane' % len(writers))
    for ex in writers:
        pane = re.search(r'<div class="pane" id="pane_%s">.*?<pre>(.*?)</pre>' % ex, page, re.S)
        check(pane is not None and pane.group(1).strip() != '', '%s writes with cout but no pane text is shown' % ex)
    programs = [ex for ex in examples if 'qivHelpProgram()' in sources[ex]]
    check(len(programs) >= 3, 'only %d whole programs with int main() on the page' % len(programs))

    for f in failures:
        print('FAIL: ' + f)
    print('help page: %d names, %d pictures; %d problems' % (len(expected), len(examples), len(failures)))
    sys.exit(1 if failures else 0)


if __name__ == '__main__':
    main()
