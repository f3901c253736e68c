#!/usr/bin/env python3
"""Lists names defined in file-local scope (anonymous namespaces, static functions) that more than one
file of the same build target defines: the unity build compiles those files as one, so they clash."""
import os, re, sys, collections
root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), '..')
def target_of(path):
    p = path.split('/')
    if p[0] == 'src':
        if p[1] == 'domain':
            if re.search(r'Schema\.(cpp|h)$', path): return 'tables'
            return 'domain/' + p[2]
        return p[1]
    if p[0] == 'tests': return 'tests/' + p[1]
    return p[0]
decl_patterns = [
    re.compile(r'^(?:struct|class|enum(?:\s+class)?|union)\s+(\w+)'),
    re.compile(r'^using\s+(\w+)\s*='),
    re.compile(r'^(?:static\s+)?(?:inline\s+)?(?:constexpr\s+|const\s+)+[\w:<>,\s\*&]*?\b(\w+)\s*(?:=|\[|\{)'),
    re.compile(r'^(?:static\s+)?(?:inline\s+)?(?:template\s*<[^>]*>\s*)?[\w:<>,\s\*&]+?[\s\*&](\w+)\s*\('),
    re.compile(r'^(?:static\s+)?(?:const\s+)?[\w:<>]+\s+(\w+)\s*(?:=|;|\{)'),
]
names = collections.defaultdict(lambda: collections.defaultdict(set))
for dp, dn, fn in os.walk(root):
    if '/build' in dp or '/.git' in dp: continue
    for f in fn:
        if not f.endswith('.cpp'): continue
        path = os.path.relpath(os.path.join(dp, f), root)
        if not (path.startswith('src/') or path.startswith('tests/')): continue
        lines = open(os.path.join(dp, f), encoding='utf-8', errors='replace').read().split('\n')
        depth = 0; anon_depths = []
        for line in lines:
            s = line.strip()
            in_anon = bool(anon_depths) and depth == anon_depths[-1]
            if re.match(r'^namespace\s*\{', s):
                anon_depths.append(depth + 1)
            elif (in_anon and not line.startswith((' ', '\t', '}', '/', '#'))) or (depth == 0 and s.startswith(('static ', 'inline '))) or (in_anon is False and re.match(r'^\s*static ', line) and depth <= 2 and not line.startswith(' ')):
                for pat in decl_patterns:
                    m = pat.match(s)
                    if m and m.group(1) not in ('operator', 'return', 'if', 'for', 'while'):
                        names[target_of(path)][m.group(1)].add(path); break
            # brace depth (ignore braces in strings/chars roughly)
            t = re.sub(r'"(\\.|[^"\\])*"', '', line); t = re.sub(r"'(\\.|[^'\\])*'", '', t); t = t.split('//')[0]
            depth += t.count('{') - t.count('}')
            while anon_depths and depth < anon_depths[-1]: anon_depths.pop()
total = 0
for tgt in sorted(names):
    for n, files in sorted(names[tgt].items()):
        if len(files) > 1:
            total += 1
            print(f'{tgt}\t{n}\t{len(files)}\t' + ' '.join(sorted(files)))
if total:
    print(f'{total} file-local name(s) defined in more than one file of a library or test folder: the unity build '
          'compiles them into one translation unit. Rename them or share them (docs/building.md).', file=sys.stderr)
    sys.exit(1)
