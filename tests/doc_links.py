#!/usr/bin/env python3
"""Every relative link of every Markdown file of the tree points at a file
that exists, and every #anchor at a heading or an <a id> of its page.

    doc_links.py SOURCE_DIR

Links are the inline forms [text](target) and ![alt](target), outside code
blocks and code spans; links with a scheme (https:, mailto:) are not
followed. Anchors are those that GitHub gives: each heading's text in lower
case, punctuation dropped, blanks made hyphens, a repeated one numbered.
"""
import os
import re
import subprocess
import sys

LINK = re.compile(r'!?\[(?:[^\[\]]|\[[^\]]*\])*\]\(\s*<?([^)\s>]*)>?(?:\s+"[^"]*")?\s*\)')
HEADING = re.compile(r'^ {0,3}(#{1,6})\s+(.*?)\s*#*\s*$')
HTML_ANCHOR = re.compile(r'<a\s+(?:id|name)="([^"]+)"')
SKIP_DIRS = {'.git'}


def markdown_files(root):
    """The tracked (and new, not ignored) .md files of a git tree, or else
    every .md file outside build folders."""
    try:
        out = subprocess.run(['git', '-C', root, 'ls-files', '-z', '--cached', '--others',
                              '--exclude-standard', '--', '*.md'],
                             check=True, capture_output=True).stdout
        tracked = sorted(os.path.join(root, f) for f in out.decode().split('\0') if f)
        if tracked:
            return tracked
    except (OSError, subprocess.CalledProcessError):
        pass
    found = []
    for folder, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if d not in SKIP_DIRS and not d.startswith('build')]
        found += [os.path.join(folder, f) for f in files if f.endswith('.md')]
    return sorted(found)


def prose(text):
    """The text with fenced and indented code blocks and code spans blanked,
    so that links (whose text may run over lines) keep their line numbers."""
    fence = None
    previous_blank = True
    in_indented = False
    kept = []
    for line in text.split('\n'):
        stripped = line.lstrip()
        if fence:
            if stripped.startswith(fence):
                fence = None
            kept.append('')
            continue
        if stripped.startswith(('```', '~~~')):
            fence = stripped[:3]
            kept.append('')
            continue
        if line.strip() == '':
            previous_blank = True
            kept.append('')
            continue
        if line.startswith('    ') and (previous_blank or in_indented) and not stripped.startswith(('-', '*', '|')):
            in_indented = True
            kept.append('')
            continue
        in_indented = False
        previous_blank = False
        kept.append(re.sub(r'`[^`]*`', lambda m: ' ' * len(m.group(0)), line))
    return '\n'.join(kept)


def slug(heading):
    # HTML tags are dropped from prose, not from code spans.
    parts = heading.split('`')
    text = ''.join(part if i % 2 else re.sub(r'<[^>]+>', '', part) for i, part in enumerate(parts))
    text = re.sub(r'\[([^\]]*)\]\([^)]*\)', r'\1', text)
    text = re.sub(r'[^\w\- ]', '', text.lower())
    return text.replace(' ', '-')


def anchors(path, cache={}):
    if path not in cache:
        found = set()
        counts = {}
        with open(path, encoding='utf-8') as f:
            text = f.read()
        fence = None
        for line in text.split('\n'):
            stripped = line.lstrip()
            if fence:
                fence = None if stripped.startswith(fence) else fence
                continue
            if stripped.startswith(('```', '~~~')):
                fence = stripped[:3]
                continue
            found.update(HTML_ANCHOR.findall(line))
            m = HEADING.match(line)
            if m:
                base = slug(m.group(2))
                n = counts.get(base, 0)
                counts[base] = n + 1
                found.add(base if n == 0 else f'{base}-{n}')
        cache[path] = found
    return cache[path]


def main():
    if len(sys.argv) != 2:
        print('usage: doc_links.py SOURCE_DIR', file=sys.stderr)
        return 2
    root = os.path.abspath(sys.argv[1])
    files = markdown_files(root)
    if not files:
        print(f'doc links: no Markdown files under {root}', file=sys.stderr)
        return 1
    broken = []
    checked = 0
    for page in files:
        with open(page, encoding='utf-8') as f:
            text = f.read()
        body = prose(text)
        for match in LINK.finditer(body):
            target = match.group(1)
            number = body.count('\n', 0, match.start(1)) + 1
            if not target or re.match(r'^[a-zA-Z][a-zA-Z0-9+.-]*:', target):
                continue
            checked += 1
            where = f'{os.path.relpath(page, root)}:{number}: {target}'
            path, _, anchor = target.partition('#')
            resolved = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
            if not os.path.exists(resolved):
                broken.append(f'{where}: no such file')
            elif anchor and resolved.endswith('.md') and anchor not in anchors(resolved):
                broken.append(f'{where}: no heading or anchor "{anchor}"')
    for line in broken:
        print(f'doc links: {line}', file=sys.stderr)
    if broken:
        return 1
    print(f'doc links: {checked} relative links of {len(files)} Markdown files resolve')
    return 0


if __name__ == '__main__':
    sys.exit(main())
