#!/usr/bin/env python3
"""The help page: Chinese reference of every call a program can use, grouped as a beginner
learns them, each with a short example and the picture that example draws.

  make_help.py examples TOPICS OUTDIR     writes OUTDIR/ex_NN.cpp (GBK) for every example
                                          to run, and OUTDIR/examples.txt ("ex_NN<TAB>input")
  make_help.py page TOPICS IMAGEDIR OUT [PANEDIR]
                                          writes the page OUT (UTF-8 HTML); the picture of
                                          ex_NN is IMAGEDIR/ex_NN.png, referred to as
                                          images/ex_NN.png beside the page; PANEDIR/ex_NN.txt
                                          (UTF-8) is what its output pane showed, written
                                          as text beside the picture
  make_help.py names TOPICS               prints every name the entries explain

TOPICS is docs/help/topics.txt; its format is described at its top."""
import html
import os
import sys


class Entry:
    def __init__(self, title):
        self.title = title
        self.calls = []
        self.text = []       # paragraphs
        self.code = None     # lines of the example
        self.input = None
        self.noimage = None
        self.program = False  # the example is a whole program with its own main
        self.id = None       # ex_NN when the example is run


class Group:
    def __init__(self, title):
        self.title = title
        self.entries = []
        self.html = []


def parse(path):
    groups = []
    entry = None
    code = None
    raw = None
    paragraph = []

    def flush():
        if paragraph and entry is not None:
            entry.text.append(' '.join(paragraph))
        paragraph.clear()

    with open(path, encoding='utf-8') as f:
        for line in f.read().splitlines():
            if raw is not None:
                if line.strip() == '@end':
                    groups[-1].html.extend(raw)
                    raw = None
                else:
                    raw.append(line)
                continue
            if code is not None:
                if line.strip() == '```':
                    entry.code = code
                    code = None
                else:
                    code.append(line)
                continue
            if line.startswith('%'):
                continue
            if line.startswith('## '):
                flush()
                entry = Entry(line[3:].strip())
                groups[-1].entries.append(entry)
            elif line.startswith('# '):
                flush()
                entry = None
                groups.append(Group(line[2:].strip()))
            elif line.startswith('@calls '):
                entry.calls = line.split()[1:]
            elif line.startswith('@input '):
                entry.input = line[len('@input '):]
            elif line.strip() == '@program':
                entry.program = True
            elif line.startswith('@noimage'):
                entry.noimage = line[len('@noimage'):].strip()
            elif line.strip() == '@html':
                raw = []
            elif line.strip() == '```':
                flush()
                code = []
            elif not line.strip():
                flush()
            else:
                paragraph.append(line.strip())
    flush()
    n = 0
    for g in groups:
        for e in g.entries:
            if e.code and e.noimage is None:
                n += 1
                e.id = 'ex_%02d' % n
    return groups


def example_source(entry):
    call = 'qivHelpStart("%s");' % entry.input if entry.input else 'qivHelpStart(0);'
    if entry.program:
        # The program's main is renamed and called by the run's own main, between the start
        # and the capture.
        return ('// %s\n#include <qiv_help_capture.h>\n#undef main\n#define main qivHelpProgram\n%s\n#undef main\n'
                'int work_zq()\n{\n    %s\n    qivHelpProgram();\n    qivHelpCapture();\n    return 0;\n}\n'
                % (entry.title, '\n'.join(entry.code), call))
    body = '\n'.join('    ' + line for line in entry.code)
    return ('// %s\n#include <qiv_help_capture.h>\n\nint main()\n{\n    %s\n%s\n    qivHelpCapture();\n'
            '    return 0;\n}\n' % (entry.title, call, body))


def write_examples(groups, outdir):
    os.makedirs(outdir, exist_ok=True)
    listing = []
    for g in groups:
        for e in g.entries:
            if e.id is None:
                continue
            with open(os.path.join(outdir, e.id + '.cpp'), 'wb') as f:
                f.write(example_source(e).encode('gbk'))
            listing.append('%s\t%s' % (e.id, e.input or ''))
    with open(os.path.join(outdir, 'examples.txt'), 'w', encoding='utf-8') as f:
        f.write('\n'.join(listing) + '\n')


STYLE = '''body { font-family: "Microsoft YaHei", "SimHei", sans-serif; max-width: 60em; margin: 1em auto;
  padding: 0 1em; line-height: 1.6; color: #222; }
h1 { border-bottom: 3px solid #36c; } h2 { margin-top: 2em; color: #36c; border-bottom: 1px solid #ccc; }
h3 { margin-bottom: .3em; } nav a { margin-right: 1em; white-space: nowrap; }
pre { background: #f4f6fa; border-left: 4px solid #36c; padding: .6em 1em; overflow-x: auto; }
.picture { display: flex; gap: 1em; align-items: flex-start; flex-wrap: wrap; }
.picture img { border: 1px solid #999; max-width: 100%; }
.pane { flex: 1 1 14em; } .pane pre { background: #fff; border: 1px solid #999; border-left-width: 1px;
  font-family: "SimHei", monospace; white-space: pre-wrap; margin: 0; }
table { border-collapse: collapse; margin: .5em 0; } td, th { border: 1px solid #bbb; padding: .3em .6em; }
th { background: #e8eef8; } .calls code { background: #eef; padding: 0 .2em; margin-right: .4em; }
.index a { display: inline-block; min-width: 7em; font-family: monospace; }
.note { color: #666; font-size: 90%; }'''

# Lines the runtime writes into the output pane itself, not the program.
RUN_BANNERS = ('==== 运行中', '==== 运行结束')


def pane_text(panedir, entry_id):
    """What the program wrote into its output pane, without the runtime's banners."""
    if not panedir:
        return ''
    path = os.path.join(panedir, entry_id + '.txt')
    if not os.path.exists(path):
        return ''
    with open(path, encoding='utf-8', errors='replace') as f:
        lines = f.read().replace('\r\n', '\n').split('\n')
    kept = [line for line in lines if not line.startswith(RUN_BANNERS)]
    return '\n'.join(kept).strip('\n')


def anchor(gi, ei):
    return 'c%d_%d' % (gi + 1, ei + 1)


def index_names(groups):
    """Every explained name with the entries explaining it, in the order a-z (signs first)."""
    where = {}
    for gi, g in enumerate(groups):
        for ei, e in enumerate(g.entries):
            for c in e.calls:
                where.setdefault(c, []).append((anchor(gi, ei), e.title))
    return sorted(where.items(), key=lambda kv: (kv[0].lstrip('_').lower(), kv[0]))


def write_page(groups, imagedir, out, panedir=None):
    e_ = html.escape
    parts = ['<!DOCTYPE html>', '<html lang="zh-CN">', '<head>', '<meta charset="utf-8">',
             '<title>Qiv 画图编程 帮助</title>', '<style>' + STYLE + '</style>', '</head>', '<body>',
             '<h1>Qiv 画图编程 帮助</h1>',
             '<p>用 C++ 指挥一支画笔在画布上画图。每个命令下面有一小段例子：把例子里的语句写进 '
             '<code>int main()</code> 里，按 F11 就能看到下面的图；程序在输出窗口写的字，印在图的旁边。'
             '“完整的程序”一节里是可以直接整段复制的程序。</p>', '<nav>']
    for i, g in enumerate(groups):
        parts.append('<a href="#g%d">%s</a>' % (i + 1, e_(g.title)))
    parts.append('<a href="#index">命令索引</a>')
    parts.append('</nav>')
    for i, g in enumerate(groups):
        parts.append('<h2 id="g%d">%s</h2>' % (i + 1, e_(g.title)))
        parts.extend(g.html)
        for j, e in enumerate(g.entries):
            parts.append('<h3 id="%s">%s</h3>' % (anchor(i, j), e_(e.title)))
            if e.calls:
                parts.append('<p class="calls">' + ''.join('<code>%s</code>' % e_(c) for c in e.calls) + '</p>')
            parts.extend('<p>%s</p>' % e_(t) for t in e.text)
            if e.input:
                parts.append('<p class="note">运行时在输入框里输入：%s</p>' % e_(e.input))
            if e.code:
                parts.append('<pre>%s</pre>' % e_('\n'.join(e.code)))
            if e.noimage:
                parts.append('<p class="note">%s</p>' % e_(e.noimage))
            if e.id is not None:
                picture = os.path.join(imagedir, e.id + '.png')
                if not os.path.exists(picture):
                    sys.exit('make_help: no picture %s for "%s"' % (picture, e.title))
                parts.append('<div class="picture">')
                parts.append('<img src="images/%s.png" alt="%s">' % (e.id, e_(e.title)))
                text = pane_text(panedir, e.id)
                if text:
                    parts.append('<div class="pane" id="pane_%s"><p class="note">输出窗口里的字：</p><pre>%s</pre></div>'
                                 % (e.id, e_(text)))
                parts.append('</div>')
    parts.append('<h2 id="index">命令索引</h2>')
    parts.append('<p class="index">')
    for name, places in index_names(groups):
        parts.append(' '.join('<a href="#%s" title="%s">%s</a>' % (a, e_(t), e_(name)) for a, t in places[:1]))
    parts.append('</p>')
    parts += ['<p class="note">本页的每张图都是运行它上面的例子画出来的。</p>', '</body>', '</html>']
    with open(out, 'w', encoding='utf-8') as f:
        f.write('\n'.join(parts) + '\n')


def main():
    if len(sys.argv) >= 4 and sys.argv[1] == 'examples':
        write_examples(parse(sys.argv[2]), sys.argv[3])
    elif len(sys.argv) >= 5 and sys.argv[1] == 'page':
        write_page(parse(sys.argv[2]), sys.argv[3], sys.argv[4], sys.argv[5] if len(sys.argv) > 5 else None)
    elif len(sys.argv) >= 3 and sys.argv[1] == 'names':
        for g in parse(sys.argv[2]):
            for e in g.entries:
                for c in e.calls:
                    print(c)
    else:
        sys.exit(__doc__)


if __name__ == '__main__':
    main()
