// SPDX-License-Identifier: GPL-3.0-or-later
// Writes OUTDIR/Features.txt: every symbol of OUTDIR/AllSegments.txt with its
// distinctive features, TAB-separated, CR LF line ends. The values of the 39
// ARPABET phonemes are written out below (see data/README.md for the chart
// they follow); a vowel symbol takes its vowel's values plus stress1 and
// stress2 from its digit, a symbol ending in Coda its consonant's plus
// coda +, and [ ] have 0 throughout.
// Usage: node features.mjs OUTDIR
import {readFileSync, writeFileSync} from 'node:fs'
import {join} from 'node:path'

const outDir = process.argv[2]
if (!outDir) {
  console.error('usage: node features.mjs OUTDIR')
  process.exit(2)
}

const features = [
  'syllabic', 'consonantal', 'sonorant', 'continuant', 'delayed_release', 'nasal', 'lateral', 'strident',
  'voice', 'labial', 'coronal', 'anterior', 'distributed', 'dorsal', 'high', 'low', 'back', 'round',
  'tense', 'diphthong', 'stress1', 'stress2', 'coda',
]

// Consonants: manner, voice and place; columns as in `features` up to
// diphthong (stress1, stress2 and coda are added below).
//            syl cons son cont dr nas lat str voi lab cor ant dis dor hi lo bk rnd tns dip
const consonants = {
  P:  '-   +    -   -    -  -   -   -   -   +   -   0   0   -   0  0  0  0   0   0',
  B:  '-   +    -   -    -  -   -   -   +   +   -   0   0   -   0  0  0  0   0   0',
  T:  '-   +    -   -    -  -   -   -   -   -   +   +   -   -   0  0  0  0   0   0',
  D:  '-   +    -   -    -  -   -   -   +   -   +   +   -   -   0  0  0  0   0   0',
  K:  '-   +    -   -    -  -   -   -   -   -   -   0   0   +   +  -  +  0   0   0',
  G:  '-   +    -   -    -  -   -   -   +   -   -   0   0   +   +  -  +  0   0   0',
  CH: '-   +    -   -    +  -   -   +   -   -   +   -   +   -   0  0  0  0   0   0',
  JH: '-   +    -   -    +  -   -   +   +   -   +   -   +   -   0  0  0  0   0   0',
  F:  '-   +    -   +    +  -   -   +   -   +   -   0   0   -   0  0  0  0   0   0',
  V:  '-   +    -   +    +  -   -   +   +   +   -   0   0   -   0  0  0  0   0   0',
  TH: '-   +    -   +    +  -   -   -   -   -   +   +   +   -   0  0  0  0   0   0',
  DH: '-   +    -   +    +  -   -   -   +   -   +   +   +   -   0  0  0  0   0   0',
  S:  '-   +    -   +    +  -   -   +   -   -   +   +   -   -   0  0  0  0   0   0',
  Z:  '-   +    -   +    +  -   -   +   +   -   +   +   -   -   0  0  0  0   0   0',
  SH: '-   +    -   +    +  -   -   +   -   -   +   -   +   -   0  0  0  0   0   0',
  ZH: '-   +    -   +    +  -   -   +   +   -   +   -   +   -   0  0  0  0   0   0',
  HH: '-   -    -   +    +  -   -   -   -   -   -   0   0   -   0  0  0  0   0   0',
  M:  '-   +    +   -    0  +   -   0   +   +   -   0   0   -   0  0  0  0   0   0',
  N:  '-   +    +   -    0  +   -   0   +   -   +   +   -   -   0  0  0  0   0   0',
  NG: '-   +    +   -    0  +   -   0   +   -   -   0   0   +   +  -  +  0   0   0',
  L:  '-   +    +   +    0  -   +   0   +   -   +   +   -   -   0  0  0  0   0   0',
  R:  '-   +    +   +    0  -   -   0   +   -   +   -   -   -   0  0  0  0   0   0',
  W:  '-   -    +   +    0  -   -   0   +   +   -   0   0   +   +  -  +  +   0   0',
  Y:  '-   -    +   +    0  -   -   0   +   -   -   0   0   +   +  -  -  -   0   0',
}

// Vowels: the same columns; diphthongs by their first element.
//            syl cons son cont dr nas lat str voi lab cor ant dis dor hi lo bk rnd tns dip
const vowels = {
  IY: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   +  -  -  -   +   -',
  IH: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   +  -  -  -   -   -',
  EY: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  -  -  -   +   +',
  EH: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  -  -  -   -   -',
  AE: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  +  -  -   -   -',
  AA: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  +  +  -   +   -',
  AO: '+   -    +   +    0  -   -   0   +   +   -   0   0   +   -  -  +  +   -   -',
  AH: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  -  +  -   -   -',
  ER: '+   -    +   +    0  -   -   0   +   -   +   -   -   +   -  -  +  -   -   -',
  UH: '+   -    +   +    0  -   -   0   +   +   -   0   0   +   +  -  +  +   -   -',
  UW: '+   -    +   +    0  -   -   0   +   +   -   0   0   +   +  -  +  +   +   -',
  OW: '+   -    +   +    0  -   -   0   +   +   -   0   0   +   -  -  +  +   +   +',
  AY: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  +  +  -   +   +',
  AW: '+   -    +   +    0  -   -   0   +   -   -   0   0   +   -  +  +  -   +   +',
  OY: '+   -    +   +    0  -   -   0   +   +   -   0   0   +   -  -  +  +   +   +',
}

const valuesOf = (text) => {
  const values = text.trim().split(/ +/)
  if (values.length !== features.length - 3) throw new Error(`wrong number of values: ${text}`)
  return values
}

const rowOf = (symbol) => {
  if (symbol === '[' || symbol === ']') return features.map(() => '0')
  const vowel = /^([A-Z]+)([012])$/.exec(symbol)
  if (vowel && vowels[vowel[1]]) {
    return [...valuesOf(vowels[vowel[1]]), vowel[2] === '1' ? '+' : '-', vowel[2] === '2' ? '+' : '-', '0']
  }
  const coda = /^([A-Z]+)Coda$/.exec(symbol)
  const consonant = coda ? coda[1] : symbol
  if (consonants[consonant]) return [...valuesOf(consonants[consonant]), '0', '0', coda ? '+' : '-']
  throw new Error(`no features for the symbol ${symbol}`)
}

const symbols = readFileSync(join(outDir, 'AllSegments.txt'), 'latin1').split(/\r\n|\r|\n/).filter((s) => s !== '')
const lines = [['Symbol', ...features].join('\t'), ...symbols.map((s) => [s, ...rowOf(s)].join('\t'))]
writeFileSync(join(outDir, 'Features.txt'), lines.map((line) => line + '\r\n').join(''), 'latin1')
console.log(`features: ${symbols.length} symbols, ${features.length} features`)
